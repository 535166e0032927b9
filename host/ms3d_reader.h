#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/byte_source.h"
#include "host/file_status.h"
#include "host/model.h"
#include "host/unique_fd.h"

namespace quorvel::host {

// Where the comments section lies in the file. A file that ends after its joints
// has none; then `begin` and `end` are both the file size, where one is appended.
struct CommentsSpan {
  std::uint64_t begin = 0;
  std::uint64_t end = 0;
  bool present = false;
};

struct Ms3dContents {
  Model model;
  CommentsSpan comments;
  std::uint64_t fileSize = 0;
};

// Reads a version 4 model file up to the end of its comments section; whatever
// follows is left for the writer to copy, once the extra data sections there are
// found whole (each may be missing, with all after it). Every count and length is
// checked against the bytes that remain before anything is read or allocated.
// Throws Ms3dError, naming `displayName`, the section, the item and the byte offset.
Ms3dContents ReadMs3d(ByteSource& source, std::string_view displayName);

// Opens `path` for reading and fills `status`; throws Ms3dError, naming the path,
// unless it is a regular file that could be opened. Other programs may still read,
// write, rename and replace the file while it is open.
UniqueFd OpenModelFileForReading(const std::string& path, FileStatus& status);

// The status of the model file `path` open as `fd`, into `status`: throws Ms3dError, naming the
// path, when it cannot be read or is not a regular file (a folder, a device, a FIFO).
void StatusOfModelFile(const std::string& path, int fd, FileStatus& status);

// Opens the model file `path` as above and hands its bytes to `read` (called as
// `read(source, displayName)`); the path names the file in errors.
template <typename Read>
auto ReadModelFile(const std::string& path, Read read) {
  FileStatus status;
  UniqueFd file = OpenModelFileForReading(path, status);
  FileSource source(file.get(), status.size, path);
  return read(source, path);
}

// Opens `path` and reads it as above; the path names the file in errors.
Ms3dContents ReadMs3dFile(const std::string& path);

}  // namespace quorvel::host
