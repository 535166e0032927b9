#include "host/ms3d_reader.h"

#include <cerrno>
#include <cstring>
#include <limits>

#include "host/ms3d_error.h"
#include "host/system.h"

namespace quorvel::host {
namespace {

// Fixed sizes of the file's records, in bytes.
constexpr std::uint64_t kHeaderSize = 14;
constexpr std::uint64_t kVertexSize = 15;
constexpr std::uint64_t kTriangleSize = 70;
constexpr std::uint64_t kNameSize = 32;
constexpr std::uint64_t kGroupMinimumSize = 1 + kNameSize + 2 + 1;
constexpr std::uint64_t kMaterialSize = 361;
constexpr std::uint64_t kAnimationSize = 12;
constexpr std::uint64_t kJointFixedSize = 1 + kNameSize + kNameSize + 24 + 2 + 2;
constexpr std::uint64_t kKeyframeSize = 16;
constexpr std::uint64_t kCommentEntryMinimumSize = 8;
constexpr char kMagic[] = "MS3D000000";
constexpr std::int32_t kVersion = 4;
constexpr std::int32_t kCommentsSubVersion = 1;
constexpr std::uint64_t kVertexExtraSize[] = {6, 10, 14};  // by sub-version 1, 2, 3
constexpr std::uint64_t kJointExtraSize = 12;
constexpr std::uint64_t kModelExtraMinimumSize = 12;

// Reads little-endian fields and turns every shortfall into an error that says
// where in the file it happened and what was being read.
class Reader {
 public:
  Reader(ByteSource& source, std::string_view displayName)
      : source_(source), displayName_(displayName) {}

  // The context of later errors. Kept as plain values and put into words only when
  // an error is raised: a file holds up to 65535 joints, each read in a context of
  // its own.
  void EnterSection(std::string_view section) {
    section_ = section;
    sectionStart_ = source_.Offset();
    item_ = {};
  }

  // `kind` must outlive the item.
  void EnterItem(std::string_view kind, std::uint64_t index, std::uint64_t count) {
    item_ = {kind, index, count, source_.Offset()};
  }

  [[noreturn]] void Fail(const std::string& what, std::string plainLine = {}) const {
    std::string where = std::string(displayName_) + ": " + std::string(section_);
    if (!item_.kind.empty()) {
      where += ": " + std::string(item_.kind) + " " + std::to_string(item_.index) + " of " +
               std::to_string(item_.count) + " at byte " + std::to_string(item_.start);
    } else {
      where += " at byte " + std::to_string(sectionStart_);
    }
    throw Ms3dError(where + ": " + what, std::move(plainLine));
  }

  // A failure of the file as a whole, named without a section or offset.
  [[noreturn]] void FailWhole(const std::string& what) const {
    throw Ms3dError(std::string(displayName_) + ": " + what);
  }

  // Fails unless `bytes` more bytes are there; `what` names what needs them.
  void Need(std::uint64_t bytes, std::string_view what) const {
    if (bytes > source_.Remaining()) {
      Shortfall(std::string(what), bytes, "");
    }
  }

  // The same for `count` items of `itemSize` bytes each.
  void NeedItems(std::uint64_t count, std::uint64_t itemSize, std::string_view itemName) const {
    if (count * itemSize > source_.Remaining()) {
      Shortfall(CountOf(itemName, count), count * itemSize, "");
    }
  }

  // The same for `count` items of varying size, checked by their smallest size
  // before anything is allocated for them.
  void NeedItemsAtLeast(std::uint64_t count, std::uint64_t minimumSize,
                        std::string_view itemName) const {
    if (count * minimumSize > source_.Remaining()) {
      Shortfall(CountOf(itemName, count), count * minimumSize, "at least ");
    }
  }

  std::uint64_t Remaining() const { return source_.Remaining(); }
  std::uint64_t Offset() const { return source_.Offset(); }

  void Skip(std::uint64_t bytes, std::string_view what) {
    Need(bytes, what);
    source_.Skip(bytes);
  }

  void SkipItems(std::uint64_t count, std::uint64_t itemSize, std::string_view itemName) {
    NeedItems(count, itemSize, itemName);
    source_.Skip(count * itemSize);
  }

  std::uint8_t U8(std::string_view what) {
    unsigned char byte = 0;
    Raw(&byte, 1, what);
    return byte;
  }

  std::uint16_t U16(std::string_view what) {
    unsigned char b[2];
    Raw(b, 2, what);
    return U16At(b);
  }

  std::int32_t I32(std::string_view what) {
    unsigned char b[4];
    Raw(b, 4, what);
    return I32At(b);
  }

  float F32(std::string_view what) {
    std::uint32_t bits = static_cast<std::uint32_t>(I32(what));
    float value;
    static_assert(sizeof value == sizeof bits);
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  // A char[32] field: the text up to the first NUL. A field without a NUL is kept
  // whole rather than cut, so that nothing of the name is lost.
  std::string Name(std::string_view what) {
    unsigned char field[kNameSize];
    Raw(field, kNameSize, what);
    return NameAt(field);
  }

  // One field of a record of fixed size: its size in bytes and its name in errors.
  struct Field {
    std::uint64_t size;
    std::string_view what;
  };

  // The fields of a record, one after another into `out`: at once when the file
  // has them all (a model holds tens of thousands of joints and comments), else one
  // by one, so that an error names the field the file ends in.
  template <std::size_t kCount>
  void Fields(unsigned char* out, const Field (&fields)[kCount]) {
    std::uint64_t size = 0;
    for (const Field& field : fields) {
      size += field.size;
    }
    if (size <= source_.Remaining()) {
      source_.Read(out, static_cast<std::size_t>(size));
      return;
    }
    for (const Field& field : fields) {
      Raw(out, static_cast<std::size_t>(field.size), field.what);
      out += field.size;
    }
  }

  static std::string NameAt(const unsigned char* field) {
    const char* text = reinterpret_cast<const char*>(field);
    return std::string(text, strnlen(text, kNameSize));
  }
  static std::uint16_t U16At(const unsigned char* b) {
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
  }
  static std::int32_t I32At(const unsigned char* b) {
    return static_cast<std::int32_t>(std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 |
                                     std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24);
  }

  // `length` bytes of text; `what` names the text in an error.
  std::string Text(std::uint64_t length, std::string_view what) {
    if (length > source_.Remaining()) {
      Shortfall(std::string(what) + " of length " + std::to_string(length), length, "");
    }
    std::string text;
    source_.ReadAppend(text, static_cast<std::size_t>(length));
    return text;
  }

  // A comment's `length` bytes into `out`, as the source hands them out.
  void Comment(CommentText& out, std::uint64_t length, std::string_view what) {
    if (length > source_.Remaining()) {
      Shortfall(std::string(what) + " of length " + std::to_string(length), length, "");
    }
    source_.ReadComment(out, static_cast<std::size_t>(length));
  }

  void EndOfComments() { source_.EndOfComments(); }

 private:
  struct Item {
    std::string_view kind;
    std::uint64_t index = 0;
    std::uint64_t count = 0;
    std::uint64_t start = 0;
  };

  static std::string CountOf(std::string_view itemName, std::uint64_t count) {
    return std::string(itemName) + " count " + std::to_string(count);
  }

  // The file ends before `bytes` more bytes: either it was cut short, or what was
  // read so far was no model file's layout. The plain line says so by where the
  // file ends and how far it would have to go at least.
  [[noreturn]] void Shortfall(const std::string& what, std::uint64_t bytes,
                              const char* bound) const {
    const std::uint64_t end = source_.Offset() + source_.Remaining();
    std::string plainLine = std::string(displayName_) + ": the file ends inside the " +
                            std::string(section_) + " (byte " + std::to_string(end) + " of " +
                            bound + std::to_string(source_.Offset() + bytes) +
                            "): it is cut short or not a model file";
    Fail(what + " needs " + bound + std::to_string(bytes) + " bytes, " +
             std::to_string(source_.Remaining()) + " remain",
         std::move(plainLine));
  }

  void Raw(void* out, std::size_t bytes, std::string_view what) {
    Need(bytes, what);
    source_.Read(out, bytes);
  }

  ByteSource& source_;
  std::string_view displayName_;
  std::string_view section_;
  std::uint64_t sectionStart_ = 0;
  Item item_;
};

void ReadHeader(Reader& in) {
  in.EnterSection("header");
  if (in.Remaining() == 0) {
    in.FailWhole("the file is empty (0 bytes); a model file begins with a 14-byte header");
  }
  in.Need(kHeaderSize, "a model file header");
  std::string magic = in.Text(10, "the identifier");  // checked above: never short
  if (magic != kMagic) {
    in.Fail("not a model file: it does not begin with \"MS3D000000\"");
  }
  std::int32_t version = in.I32("the version");
  if (version != kVersion) {
    in.Fail("version " + std::to_string(version) + " (at byte 10); only version 4 can be read");
  }
}

void ReadVertices(Reader& in, Model& model) {
  in.EnterSection("vertices section");
  std::uint16_t count = in.U16("the vertex count");
  in.SkipItems(count, kVertexSize, "vertex");
  model.vertexCount = count;
}

void ReadTriangles(Reader& in, Model& model) {
  in.EnterSection("triangles section");
  std::uint16_t count = in.U16("the triangle count");
  in.SkipItems(count, kTriangleSize, "triangle");
  model.triangleCount = count;
}

void ReadGroups(Reader& in, Model& model) {
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

void ReadMaterials(Reader& in, Model& model) {
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

void ReadAnimation(Reader& in, Model& model) {
  in.EnterSection("animation section");
  in.Need(kAnimationSize, "the animation settings");
  model.framesPerSecond = in.F32("frames per second");
  in.F32("the current time");
  model.totalFrames = in.I32("the total frames");
}

void ReadJoints(Reader& in, Model& model) {
  in.EnterSection("joints section");
  std::uint16_t count = in.U16("the joint count");
  in.NeedItemsAtLeast(count, kJointFixedSize, "joint");
  model.joints.resize(count);
  static constexpr Reader::Field kFields[] = {{1, "the flags"},
                                              {kNameSize, "the name"},
                                              {kNameSize + 24, "the parent name and rest pose"},
                                              {2, "the rotation key count"},
                                              {2, "the position key count"}};
  constexpr std::size_t kKeyCountsAt = 1 + 2 * kNameSize + 24;
  for (std::uint16_t i = 0; i < count; ++i) {
    in.EnterItem("joint", i, count);
    Joint& joint = model.joints[i];
    unsigned char fixed[kJointFixedSize];
    in.Fields(fixed, kFields);
    joint.flags = fixed[0];
    joint.name = Reader::NameAt(fixed + 1);
    const std::uint16_t rotationKeys = Reader::U16At(fixed + kKeyCountsAt);
    const std::uint16_t positionKeys = Reader::U16At(fixed + kKeyCountsAt + 2);
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
void ReadCommentList(Reader& in, std::vector<Item>& items, std::string_view itemKind) {
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
    std::int32_t index = whole ? Reader::I32At(entry) : in.I32("the index");
    if (index < 0 || static_cast<std::uint64_t>(index) >= items.size()) {
      in.Fail("index " + std::to_string(index) + " is out of range: the model has " +
              std::to_string(items.size()) + " " + kind + (items.size() == 1 ? "" : "s"));
    }
    if (seen[static_cast<std::size_t>(index)]) {
      in.Fail("a second comment for " + kind + " " + std::to_string(index));
    }
    seen[static_cast<std::size_t>(index)] = true;
    std::int32_t length = whole ? Reader::I32At(entry + 4) : in.I32("the length");
    if (length < 0) {
      in.Fail("length " + std::to_string(length) + " is negative");
    }
    in.Comment(items[static_cast<std::size_t>(index)].comment, static_cast<std::uint64_t>(length),
               "text");
  }
}

void ReadComments(Reader& in, Model& model, CommentsSpan& span) {
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
void ReadExtras(Reader& in, const Model& model) {
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
  Reader in(source, displayName);
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
  FileStatus status;
  UniqueFd file = OpenModelFileForReading(path, status);
  FileSource source(file.get(), status.size, path);
  return ReadMs3d(source, path);
}

}  // namespace quorvel::host
