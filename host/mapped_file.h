#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace quorvel::host {

// The exit status of a process that touched a byte of a mapped file that is gone:
// the quorvel command's status for a model file that could not be read.
inline constexpr int kMappedFileLostExitStatus = 2;

// A file's bytes as the system maps them: read without a copy, so that reading tens
// of megabytes costs neither fresh memory nor copying. Only for reading that saves
// nothing: writes that another program makes to the file in place show through, and
// a byte that another program cuts off the file (or that the disk fails to give)
// cannot be read at all. Touching such a byte ends the process at once with
// kMappedFileLostExitStatus and a message naming the file on standard error,
// instead of a bus error.
//
// Mapping needs a handler of bus errors, which changes how the whole process dies:
// the library maps files only once the program has asked for it by calling
// AllowMappedReads at start. Until then Map gives null and every file is read.
class MappedFile {
 public:
  // The bytes of the open file `fd`, `size` bytes long. Null where the system maps
  // no files for this library or the program did not allow it, the file is shorter than `size`
  // already, or the mapping cannot be made or guarded: the caller reads the bytes instead.
  static std::shared_ptr<const MappedFile> Map(int fd, std::uint64_t size,
                                               const std::string& displayName);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  const char* Data() const { return data_; }
  std::size_t Size() const { return size_; }

 private:
  MappedFile() = default;

  int guard_ = -1;  // the guard's slot for this mapping
  const char* data_ = nullptr;
  std::size_t size_ = 0;
};

// Installs the handler of bus errors that makes a lost byte of a mapped file end the
// process as said above, and lets MappedFile map files from then on. For the
// program, once at start; false (and files are read) where the handler cannot be
// installed or the system maps no files for this library.
bool AllowMappedReads();

}  // namespace quorvel::host
