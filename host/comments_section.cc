#include "host/comments_section.h"

#include <cstdint>
#include <limits>

#include "host/ms3d_error.h"

namespace quorvel::host {
namespace {

constexpr std::uint64_t kMaxLength = std::numeric_limits<std::int32_t>::max();

void PutI32(std::string& out, std::int64_t value) {
  auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<char>((bits >> shift) & 0xff));
  }
}

void CheckLength(std::string_view text, std::string_view displayName, const std::string& owner) {
  if (text.size() > kMaxLength) {
    throw Ms3dError(std::string(displayName) + ": comments section: the comment of " + owner +
                    " is " + std::to_string(text.size()) + " bytes; a model file holds at most " +
                    std::to_string(kMaxLength));
  }
}

template <typename Item>
void PutList(std::string& out, const std::vector<Item>& items, std::string_view displayName,
             std::string_view kind) {
  std::int64_t count = 0;
  for (const Item& item : items) {
    count += item.comment.empty() ? 0 : 1;
  }
  PutI32(out, count);
  for (std::size_t index = 0; index < items.size(); ++index) {
    const std::string_view text = items[index].comment;
    if (text.empty()) {
      continue;
    }
    CheckLength(text, displayName, std::string(kind) + " " + std::to_string(index));
    PutI32(out, static_cast<std::int64_t>(index));
    PutI32(out, static_cast<std::int64_t>(text.size()));
    out += text;
  }
}

}  // namespace

std::string BuildCommentsSection(const Model& model, std::string_view displayName) {
  std::uint64_t size = 4 + 3 * 4 + 4 + 4 + model.comment.size();
  for (const Mesh& mesh : model.meshes) {
    size += mesh.comment.empty() ? 0 : 8 + mesh.comment.size();
  }
  for (const Material& material : model.materials) {
    size += material.comment.empty() ? 0 : 8 + material.comment.size();
  }
  for (const Joint& joint : model.joints) {
    size += joint.comment.empty() ? 0 : 8 + joint.comment.size();
  }
  std::string out;
  out.reserve(size);
  PutI32(out, 1);
  PutList(out, model.meshes, displayName, "group");
  PutList(out, model.materials, displayName, "material");
  PutList(out, model.joints, displayName, "joint");
  if (model.comment.empty()) {
    PutI32(out, 0);
  } else {
    CheckLength(model.comment, displayName, "the model");
    PutI32(out, 1);
    PutI32(out, static_cast<std::int64_t>(model.comment.size()));
    out += model.comment.View();
  }
  return out;
}

}  // namespace quorvel::host
