// Feeds arbitrary bytes to the model-file reader. Besides not crashing, leaking or
// allocating without bound, whatever it accepts must survive the writer: the
// comments section rebuilt from the model and put in place of the old one must read
// back to the same comments.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "host/byte_source.h"
#include "host/comments_section.h"
#include "host/ms3d_error.h"
#include "host/ms3d_reader.h"

namespace {

using quorvel::host::Model;

bool SameComments(const Model& a, const Model& b) {
  if (a.comment != b.comment || a.joints.size() != b.joints.size() ||
      a.meshes.size() != b.meshes.size() || a.materials.size() != b.materials.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.joints.size(); ++i) {
    if (a.joints[i].comment != b.joints[i].comment || a.joints[i].name != b.joints[i].name ||
        a.joints[i].flags != b.joints[i].flags) {
      return false;
    }
  }
  for (std::size_t i = 0; i < a.meshes.size(); ++i) {
    if (a.meshes[i].comment != b.meshes[i].comment) {
      return false;
    }
  }
  for (std::size_t i = 0; i < a.materials.size(); ++i) {
    if (a.materials[i].comment != b.materials[i].comment) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  quorvel::host::Ms3dContents contents;
  try {
    quorvel::host::MemorySource source(bytes);
    contents = quorvel::host::ReadMs3d(source, "fuzz.ms3d");
  } catch (const quorvel::host::Ms3dError&) {
    return 0;
  }
  std::string rebuilt(bytes.substr(0, contents.comments.begin));
  rebuilt += quorvel::host::BuildCommentsSection(contents.model, "fuzz.ms3d");
  rebuilt += bytes.substr(contents.comments.end);
  quorvel::host::MemorySource again(rebuilt);
  quorvel::host::Ms3dContents reread = quorvel::host::ReadMs3d(again, "rebuilt.ms3d");
  if (!SameComments(contents.model, reread.model)) {
    __builtin_trap();
  }
  return 0;
}
