#include "host/ms3d_reader.h"

#include <cerrno>
#include <cstring>
#include <limits>

#include "host/ms3d_error.h"
#include "host/ms3d_fields.h"
#include "host/system.h"

namespace quorvel::host {
namespace {

using namespace ms3d_fields;

void ReadVertices(FieldReader& in, Model& model) {
  in.EnterSection("vertices section");
  std::uint16_t count = in.U16("the vertex count");
  in.SkipItems(count, kVertexSize, "vertex");
  model.vertexCount = count;
}

void ReadTriangles(FieldReader& in, Model& model) {
  in.EnterSection("triangles section");
  std::uint16_t count = in.U16("the triangle count");
  in.SkipItems(count, kTriangleSize, "triangle");
  model.triangleCount = count;
}

void ReadGroups(FieldReader& in, Model& model) {
  in.EnterSection("groups section");
  std::uint16_t count = in.U16("the group count");
  in.NeedItemsAtLeast(count, kGroupMinimumSize, "group");
  model.meshes.resize(count);
  for (std::uint16_t i = 0; i < count; ++i) {
    in.EnterItem("group", i, count);
    in.Skip(1, "the flags");
    model.meshes[i].name = in.Name("the name");
    std::uint16_t triangles = in.U16("the triangle index count");
    in.SkipItems(triangles, 2, "triangle index");
    in.Skip(1, "the material index");
  }
}

void ReadMaterials(FieldReader& in, Model& model) {
  in.EnterSection("materials section");
  std::uint16_t count = in.U16("the material count");
  in.NeedItems(count, kMaterialSize, "material");
  model.materials.resize(count);
  for (std::uint16_t i = 0; i < count; ++i) {
    in.EnterItem("material", i, count);
    model.materials[i].name = in.Name("the name");
    in.Skip(kMaterialSize - kNameSize, "the colours and maps");
  }
}

void ReadAnimation(FieldReader& in, Model& model) {
  in.EnterSection("animation section");
  in.Need(kAnimationSize, "the animation settings");
  model.framesPerSecond = in.F32("frames per second");
  in.F32("the current time");
  model.totalFrames = in.I32("the total frames");
}

void ReadJoints(FieldReader& in, Model& model) {
  in.EnterSection("joints section");
  std::uint16_t count = in.U16("the joint count");
  in.NeedItemsAtLeast(count, kJointFixedSize, "joint");
  model.joints.resize(count);
  constexpr std::size_t kKeyCountsAt = 1 + 2 * kNameSize + 24;
  for (std::uint16_t i = 0; i < count; ++i) {
    in.EnterItem("joint", i, count);
    Joint& joint = model.joints[i];
    unsigned char fixed[kJointFixedSize];
    in.Fields(fixed, kJointFixedFields);
    joint.flags = fixed[0];
    joint.name = FieldReader::NameAt(fixed + 1);
    const std::uint16_t rotationKeys = FieldReader::U16At(fixed + kKeyCountsAt);
    const std::uint16_t positionKeys = FieldReader::U16At(fixed + kKeyCountsAt + 2);
    if (rotationKeys != 0 || positionKeys != 0) {
      in.SkipItems(rotationKeys, kKeyframeSize, "rotation key");
      in.SkipItems(positionKeys, kKeyframeSize, "position key");
    }
  }
}

// One of the three indexed comment lists. Every index must name an item, and at
// most once: a second comment for one item could not be kept when the section is
// written again.
template <typename Item>
void ReadCommentList(FieldReader& in, std::vector<Item>& items, std::string_view itemKind) {
  std::string kind(itemKind);
  std::string what = kind + " comment";
  in.EnterSection("comments section");
  std::int32_t count = in.I32("the " + what + " count");
  if (count < 0) {
    in.Fail(what + " count " + std::to_string(count) + " is negative");
  }
  in.NeedItemsAtLeast(static_cast<std::uint64_t>(count), kCommentEntryMinimumSize, what);
  std::vector<bool> seen(items.size(), false);
  for (std::int32_t i = 0; i < count; ++i) {
    in.EnterItem(what, static_cast<std::uint64_t>(i), static_cast<std::uint64_t>(count));
    // The index and the length at once where the file has both; otherwise the index
    // is checked before the length is read, as the file's order has it.
    unsigned char entry[8];
    const bool whole = in.Remaining() >= sizeof entry;
    if (whole) {
      in.Fields(entry, {{sizeof entry, "the index and length"}});
    }
    std::int32_t index = whole ? FieldReader::I32At(entry) : in.I32("the index");
    if (index < 0 || static_cast<std::uint64_t>(index) >= items.size()) {
      in.Fail("index " + std::to_string(index) + " is out of range: the model has " +
              std::to_string(items.size()) + " " + kind + (items.size() == 1 ? "" : "s"));
    }
    if (seen[static_cast<std::size_t>(index)]) {
      in.Fail("a second comment for " + kind + " " + std::to_string(index));
    }
    seen[static_cast<std::size_t>(index)] = true;
    std::int32_t length = whole ? FieldReader::I32At(entry + 4) : in.I32("the length");
    if (length < 0) {
      in.Fail("length " + std::to_string(length) + " is negative");
    }
    in.Comment(items[static_cast<std::size_t>(index)].comment, static_cast<std::uint64_t>(length),
               "text");
  }
}

void ReadComments(FieldReader& in, Model& model, CommentsSpan& span) {
  span.begin = in.Offset();
  span.end = span.begin;
  if (in.Remaining() == 0) {
    return;
  }
  in.EnterSection("comments section");
  std::int32_t subVersion = in.I32("the sub-version");
  if (subVersion != kCommentsSubVersion) {
    in.Fail("sub-version " + std::to_string(subVersion) + "; only sub-version 1 can be read");
  }
  ReadCommentList(in, model.meshes, "group");
  ReadCommentList(in, model.materials, "material");
  ReadCommentList(in, model.joints, "joint");
  in.EnterSection("comments section");
  std::int32_t hasModelComment = in.I32("the model comment flag");
  if (hasModelComment != 0 && hasModelComment != 1) {
    in.Fail("model comment flag " + std::to_string(hasModelComment) + " is neither 0 nor 1");
  }
  if (hasModelComment == 1) {
    std::int32_t length = in.I32("the model comment length");
    if (length < 0) {
      in.Fail("model comment length " + std::to_string(length) + " is negative");
    }
    in.Comment(model.comment, static_cast<std::uint64_t>(length), "model comment");
  }
  in.EndOfComments();
  span.present = true;
  span.end = in.Offset();
}

// The three sections after the comments. Each may be missing, and so may all that
// follow it, but one that is there must be whole: a file cut short inside them would
// otherwise be taken, and saved, as if nothing were lost. Whatever follows the model
// extra data of a known sub-version is left for the writer to copy.
void ReadExtras(FieldReader& in, const Model& model) {
  if (in.Remaining() == 0) {
    return;
  }
  in.EnterSection("vertex extra section");
  std::int32_t vertexSubVersion = in.I32("the sub-version");
  if (vertexSubVersion < 1 || vertexSubVersion > 3) {
    in.Fail("sub-version " + std::to_string(vertexSubVersion) +
            "; only sub-versions 1, 2 and 3 can be read");
  }
  in.SkipItems(model.vertexCount, kVertexExtraSize[vertexSubVersion - 1], "vertex");
  if (in.Remaining() == 0) {
    return;
  }
  in.EnterSection("joint extra section");
  std::int32_t jointSubVersion = in.I32("the sub-version");
  if (jointSubVersion != 1) {
    in.Fail("sub-version " + std::to_string(jointSubVersion) + "; only sub-version 1 can be read");
  }
  in.SkipItems(model.joints.size(), kJointExtraSize, "joint");
  if (in.Remaining() == 0) {
    return;
  }
  in.EnterSection("model extra section");
  std::int32_t modelSubVersion = in.I32("the sub-version");
  if (modelSubVersion != 1 && modelSubVersion != 2) {
    in.Fail("sub-version " + std::to_string(modelSubVersion) +
            "; only sub-versions 1 and 2 can be read");
  }
  in.Skip(kModelExtraMinimumSize, "the joint size, transparency mode and alpha reference");
}

}  // namespace

Ms3dContents ReadMs3d(ByteSource& source, std::string_view displayName) {
  FieldReader in(source, displayName);
  Ms3dContents contents;
  contents.fileSize = source.Size();
  ReadHeader(in);
  ReadVertices(in, contents.model);
  ReadTriangles(in, contents.model);
  ReadGroups(in, contents.model);
  ReadMaterials(in, contents.model);
  ReadAnimation(in, contents.model);
  ReadJoints(in, contents.model);
  ReadComments(in, contents.model, contents.comments);
  if (contents.comments.present) {
    ReadExtras(in, contents.model);
  }
  contents.model.fileBytes = source.Keeper();
  return contents;
}

UniqueFd OpenModelFileForReading(const std::string& path, FileStatus& status) {
  UniqueFd file(CurrentSystem().OpenForReading(path));
  if (file.get() < 0) {
    throw Ms3dError(path + ": cannot open: " + std::strerror(errno));
  }
  StatusOfModelFile(path, file.get(), status);
  return file;
}

void StatusOfModelFile(const std::string& path, int fd, FileStatus& status) {
  if (!CurrentSystem().Status(fd, status)) {
    throw Ms3dError(path + ": cannot read: " + std::strerror(errno));
  }
  if (!status.regular) {
    throw Ms3dError(
        path + ": cannot read: " + (status.folder ? "it is a folder" : "it is not a regular file"));
  }
}

Ms3dContents ReadMs3dFile(const std::string& path) {
  return ReadModelFile(path, [](ByteSource& source, std::string_view displayName) {
    return ReadMs3d(source, displayName);
  });
}

}  // namespace quorvel::host
