#include "host/mapped_file.h"

namespace quorvel::host {

// Not on Windows: there the reader keeps a copy of the bytes, as it does wherever
// a file is opened for saving.
std::shared_ptr<const MappedFile> MappedFile::Map(int, std::uint64_t, const std::string&) {
  return nullptr;
}

MappedFile::~MappedFile() = default;

bool AllowMappedReads() {
  return false;
}

}  // namespace quorvel::host
