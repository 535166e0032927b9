#include "host/byte_source.h"

#include <cerrno>
#include <cstring>
#include <limits>

#include "host/ms3d_error.h"

namespace quorvel::host {

MemorySource::MemorySource(std::string_view bytes) : ByteSource(bytes.size()), bytes_(bytes) {}

void MemorySource::Read(void* out, std::size_t count) {
  if (count > remaining()) {
    throw Ms3dError("read past the end of the data");
  }
  if (count > 0) {
    std::memcpy(out, bytes_.data() + offset_, count);
  }
  offset_ += count;
}

void MemorySource::Skip(std::uint64_t count) {
  if (count > remaining()) {
    throw Ms3dError("skip past the end of the data");
  }
  offset_ += count;
}

FileSource::FileSource(std::FILE* file, std::uint64_t size, std::string displayName)
    : ByteSource(size), file_(file), displayName_(std::move(displayName)) {}

FileSource::~FileSource() {
  std::fclose(file_);
}

void FileSource::Read(void* out, std::size_t count) {
  if (count > remaining() || std::fread(out, 1, count, file_) != count) {
    Fail("cannot read");
  }
  offset_ += count;
}

void FileSource::Skip(std::uint64_t count) {
  if (count > remaining()) {
    Fail("cannot skip");
  }
  // Short gaps (a joint's parent name and pose) are read from the stream's buffer;
  // a seek would cost a system call each time.
  constexpr std::uint64_t kReadRatherThanSeek = 4096;
  if (count <= kReadRatherThanSeek) {
    char discard[kReadRatherThanSeek];
    Read(discard, static_cast<std::size_t>(count));
    return;
  }
  std::uint64_t target = offset_ + count;
  if (target > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) ||
      fseeko(file_, static_cast<off_t>(target), SEEK_SET) != 0) {
    Fail("cannot seek");
  }
  offset_ = target;
}

void FileSource::Fail(const char* what) const {
  int error = errno;
  std::string reason = std::ferror(file_) && error != 0
                           ? std::strerror(error)
                           : "the file is shorter than when it was opened";
  throw Ms3dError(displayName_ + ": " + what + " at byte " + std::to_string(offset_) + ": " +
                  reason);
}

}  // namespace quorvel::host
