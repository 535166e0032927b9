#include "host/byte_source.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "host/ms3d_error.h"
#include "host/read_at.h"
#include "host/system.h"

namespace quorvel::host {

void ByteSource::ReadComment(CommentText& out, std::size_t count) {
  std::string text;
  ReadAppend(text, count);
  out = CommentText(text);
}

MemorySource::MemorySource(std::string_view bytes) : ByteSource(bytes.size()), bytes_(bytes) {}

void MemorySource::Read(void* out, std::size_t count) {
  if (count > Remaining()) {
    throw Ms3dError("read past the end of the data");
  }
  if (count > 0) {
    std::memcpy(out, bytes_.data() + offset_, count);
  }
  offset_ += count;
}

void MemorySource::ReadAppend(std::string& out, std::size_t count) {
  if (count > Remaining()) {
    throw Ms3dError("read past the end of the data");
  }
  out.append(bytes_.substr(offset_, count));
  offset_ += count;
}

void MemorySource::ReadComment(CommentText& out, std::size_t count) {
  if (count > Remaining()) {
    throw Ms3dError("read past the end of the data");
  }
  out = CommentText(bytes_.substr(offset_, count));
  offset_ += count;
}

void MemorySource::Skip(std::uint64_t count) {
  if (count > Remaining()) {
    throw Ms3dError("skip past the end of the data");
  }
  offset_ += count;
}

namespace {

// Big enough that reading costs few system calls, small beside any model worth
// measuring.
constexpr std::size_t kBufferSize = std::size_t{1} << 18;

}  // namespace

FileSource::FileSource(int fd, std::uint64_t size, std::string displayName, ContentHash* hash,
                       Bytes bytes)
    : ByteSource(size),
      fd_(fd),
      displayName_(std::move(displayName)),
      hash_(hash),
      window_(nullptr) {
  if (bytes == Bytes::kMapped && hash == nullptr) {
    // Every byte is in the window from the start: the header, names and counts are
    // read from the mapping too, and what is skipped is never brought in.
    mapped_ = MappedFile::Map(fd_, size_, displayName_);
  }
  if (mapped_ != nullptr) {
    window_ = mapped_->Data();
    bufferEnd_ = mapped_->Size();
    fileAt_ = size_;
    holding_ = true;
    return;
  }
  buffer_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kBufferSize, size)));
  window_ = buffer_.data();
}

template <typename Take>
void FileSource::Copy(std::size_t count, Take take) {
  if (count > Remaining()) {
    Fail("cannot read", 0);
  }
  while (count > 0) {
    if (bufferAt_ == bufferEnd_ && !Fill()) {
      Fail("cannot read", 0);
    }
    std::size_t piece = std::min(count, bufferEnd_ - bufferAt_);
    take(window_ + bufferAt_, piece);
    bufferAt_ += piece;
    offset_ += piece;
    count -= piece;
  }
}

void FileSource::Read(void* out, std::size_t count) {
  char* to = static_cast<char*>(out);
  Copy(count, [&to](const char* from, std::size_t piece) {
    std::memcpy(to, from, piece);
    to += piece;
  });
}

void FileSource::ReadAppend(std::string& out, std::size_t count) {
  out.reserve(out.size() + count);
  Copy(count, [&out](const char* from, std::size_t piece) { out.append(from, piece); });
}

void FileSource::Skip(std::uint64_t count) {
  if (count > Remaining()) {
    Fail("cannot skip", 0);
  }
  const std::uint64_t held = bufferEnd_ - bufferAt_;
  if (count <= held) {
    bufferAt_ += static_cast<std::size_t>(count);
    offset_ += count;
    return;
  }
  if (holding_) {
    // The block holds every byte from where it began: read through.
    Copy(static_cast<std::size_t>(count), [](const char*, std::size_t) {});
    return;
  }
  if (hash_ == nullptr) {
    // Reads are made at explicit offsets: passing over bytes costs nothing.
    offset_ += count;
    fileAt_ = offset_;
    bufferAt_ = bufferEnd_ = 0;
    return;
  }
  offset_ += held;
  count -= held;
  bufferAt_ = bufferEnd_;
  while (count > 0) {
    if (!Fill()) {
      Fail("cannot skip", 0);
    }
    std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(count, bufferEnd_));
    bufferAt_ = piece;
    offset_ += piece;
    count -= piece;
  }
}

void FileSource::ReadComment(CommentText& out, std::size_t count) {
  if (count > Remaining()) {
    Fail("cannot read", 0);
  }
  if (!holding_) {
    Hold();
  }
  while (bufferEnd_ - bufferAt_ < count) {
    if (!Fill(count - (bufferEnd_ - bufferAt_))) {
      Fail("cannot read", 0);
    }
  }
  out = CommentText::Viewing(std::string_view(window_ + bufferAt_, count));
  bufferAt_ += count;
  offset_ += count;
}

std::shared_ptr<const void> FileSource::Keeper() const {
  if (mapped_ != nullptr) {
    return mapped_;
  }
  return held_;
}

void FileSource::Hold() {
  held_ = std::make_shared<HeldBytes>(static_cast<std::size_t>(Remaining()));
  const std::size_t unread = bufferEnd_ - bufferAt_;
  std::copy_n(buffer_.data() + bufferAt_, unread, held_->Data());
  window_ = held_->Data();
  bufferAt_ = 0;
  bufferEnd_ = unread;
  holding_ = true;
}

void FileSource::EndOfComments() {
  if (!holding_ || mapped_ != nullptr) {
    return;
  }
  // What was read past the section goes back to the buffer; the block's pages past
  // the last comment go back to the system.
  const std::size_t unread = bufferEnd_ - bufferAt_;
  if (buffer_.size() < unread) {
    buffer_.resize(unread);
  }
  std::copy_n(window_ + bufferAt_, unread, buffer_.data());
  held_->Release(bufferAt_);
  window_ = buffer_.data();
  bufferAt_ = 0;
  bufferEnd_ = unread;
  holding_ = false;
}

bool FileSource::ReadToEnd() {
  EndOfComments();
  bufferAt_ = bufferEnd_;
  while (fileAt_ < size_) {
    if (!Fill()) {
      return false;
    }
  }
  bufferAt_ = bufferEnd_;
  offset_ = size_;
  return true;
}

bool FileSource::Fill(std::size_t least) {
  // A mapped file is in the window whole: nothing is left to read (fileAt_ is size_).
  const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(
      std::max(holding_ ? kBufferSize : buffer_.size(), least), size_ - fileAt_));
  if (want == 0) {
    return false;
  }
  // The buffer is filled from its start; the block after what it holds.
  char* to = holding_ ? held_->Data() + bufferEnd_ : buffer_.data();
  const std::int64_t got = CurrentSystem().ReadAt(fd_, to, want, fileAt_);
  if (got < 0) {
    Fail("cannot read", errno);
  }
  if (got == 0) {
    return false;
  }
  const std::size_t read = static_cast<std::size_t>(got);
  if (hash_ != nullptr) {
    hash_->Add(to, read);
  }
  if (holding_) {
    bufferEnd_ += read;
  } else {
    bufferAt_ = 0;
    bufferEnd_ = read;
  }
  fileAt_ += read;
  return true;
}

void FileSource::Fail(const char* what, int error) const {
  std::string reason =
      error != 0 ? std::strerror(error) : "the file is shorter than when it was opened";
  throw Ms3dError(displayName_ + ": " + what + " at byte " + std::to_string(offset_) + ": " +
                  reason);
}

}  // namespace quorvel::host
