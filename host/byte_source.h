#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/comment_text.h"
#include "host/content_hash.h"
#include "host/held_bytes.h"
#include "host/mapped_file.h"

namespace quorvel::host {

// Sequential access to the bytes of a model file, with the total size known up
// front so that every count can be checked against what remains before anything is
// allocated. Callers check `Remaining()` first; Read and Skip throw Ms3dError only
// when the medium itself fails (a file that shrank while it was read).
class ByteSource {
 public:
  virtual ~ByteSource() = default;

  std::uint64_t Size() const { return size_; }
  std::uint64_t Offset() const { return offset_; }
  std::uint64_t Remaining() const { return size_ - offset_; }

  virtual void Read(void* out, std::size_t count) = 0;
  virtual void Skip(std::uint64_t count) = 0;
  // Reads `count` bytes onto the end of `out`, without filling the room first.
  virtual void ReadAppend(std::string& out, std::size_t count) = 0;
  // Reads the `count` bytes of a comment into `out`: a copy of its own, or, from a
  // source that keeps the comments section in memory, a view into what Keeper()
  // keeps.
  virtual void ReadComment(CommentText& out, std::size_t count);
  // Called once the comments section has been read: nothing after it is kept.
  virtual void EndOfComments() {}
  // What keeps the bytes that comments read so far view; null when none does.
  virtual std::shared_ptr<const void> Keeper() const { return nullptr; }

 protected:
  explicit ByteSource(std::uint64_t size) : size_(size) {}
  std::uint64_t size_;
  std::uint64_t offset_ = 0;
};

class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes);
  void Read(void* out, std::size_t count) override;
  void Skip(std::uint64_t count) override;
  void ReadAppend(std::string& out, std::size_t count) override;
  void ReadComment(CommentText& out, std::size_t count) override;

 private:
  std::string_view bytes_;
};

// Reads a file through a buffer of its own, at explicit offsets (the descriptor's
// position is left alone), and passes over what the reader skips without reading it,
// so that geometry and animation keys are never brought into memory. With a hash,
// every byte is read and hashed instead, the skipped ones too, in the same pass.
// From the first comment to the end of the comments section, what it reads is kept
// in one block (HeldBytes) that comments view instead of copying their bytes; or,
// for reading alone, the whole file is mapped (MappedFile), read from the mapping,
// and comments view it.
class FileSource : public ByteSource {
 public:
  // How the file's bytes are had: read through a buffer, the comments copied into a
  // block of their own, or the whole file mapped.
  enum class Bytes { kCopied, kMapped };

  // `fd` stays the caller's; `size` is the file's length in bytes. The file is
  // mapped only without a hash, and read where the system maps no files.
  FileSource(int fd, std::uint64_t size, std::string displayName, ContentHash* hash = nullptr,
             Bytes bytes = Bytes::kCopied);
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  void Read(void* out, std::size_t count) override;
  void Skip(std::uint64_t count) override;
  void ReadAppend(std::string& out, std::size_t count) override;
  void ReadComment(CommentText& out, std::size_t count) override;
  void EndOfComments() override;
  std::shared_ptr<const void> Keeper() const override;

  // Reads, into the hash, whatever the reader left after its last byte. False when
  // the file ends before `size` bytes.
  bool ReadToEnd();

 private:
  // Reads the next piece of the file into the buffer, or onto the end of what the
  // block holds: at least `least` bytes when the file has them. False at the end of
  // the file.
  bool Fill(std::size_t least = 0);
  // Makes the block the buffer, beginning with the bytes not yet read.
  void Hold();
  // Hands the next `count` bytes to `take` in pieces, as they lie in the buffer.
  template <typename Take>
  void Copy(std::size_t count, Take take);
  [[noreturn]] void Fail(const char* what, int error) const;

  int fd_;
  std::string displayName_;
  ContentHash* hash_;
  std::vector<char> buffer_;                  // empty while the file is mapped
  std::shared_ptr<HeldBytes> held_;           // the comments section's bytes, once read
  std::shared_ptr<const MappedFile> mapped_;  // or the whole file's, mapped
  bool holding_ = false;                      // the window is held_'s or mapped_'s, not buffer_'s
  const char* window_;         // buffer_'s bytes, or while holding held_'s or mapped_'s
  std::size_t bufferAt_ = 0;   // the next unread byte in the window
  std::size_t bufferEnd_ = 0;  // one past the last byte held
  std::uint64_t fileAt_ = 0;   // the file offset of the window's end
};

}  // namespace quorvel::host
