#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace quorvel::host {

// Sequential access to the bytes of a model file, with the total size known up
// front so that every count can be checked against what remains before anything is
// allocated. Callers check `remaining()` first; Read and Skip throw Ms3dError only
// when the medium itself fails (a file that shrank while it was read).
class ByteSource {
 public:
  virtual ~ByteSource() = default;

  std::uint64_t size() const { return size_; }
  std::uint64_t offset() const { return offset_; }
  std::uint64_t remaining() const { return size_ - offset_; }

  virtual void Read(void* out, std::size_t count) = 0;
  virtual void Skip(std::uint64_t count) = 0;

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

 private:
  std::string_view bytes_;
};

// Reads through a buffered stream and seeks over what the reader skips, so that
// geometry and animation keys are never brought into memory.
class FileSource : public ByteSource {
 public:
  // Takes over `file` (closed by the destructor); `size` is its length in bytes.
  FileSource(std::FILE* file, std::uint64_t size, std::string displayName);
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  void Read(void* out, std::size_t count) override;
  void Skip(std::uint64_t count) override;

 private:
  [[noreturn]] void Fail(const char* what) const;

  std::FILE* file_;
  std::string displayName_;
};

}  // namespace quorvel::host
