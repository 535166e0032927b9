#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/system.h"

namespace quorvel::testing {

// A system whose files live in memory only: a save and the reader run through it
// without touching a disk, and what a failure leaves is read back from it. Paths
// are absolute, with slashes; the folder "/mem" exists from the start. Names trade
// places in one step, as on Linux. Descriptors are real ones of the null device,
// so that closing one the usual way (UniqueFd) closes nothing else. POSIX only.
class MemorySystem final : public host::System {
 public:
  MemorySystem();
  ~MemorySystem() override;

  void WriteFile(const std::string& path, const std::string& bytes);
  std::optional<std::string> ReadFile(const std::string& path) const;
  // The names in `folder`, sorted.
  std::vector<std::string> Entries(const std::string& folder) const;

  int ResolvePath(const std::string& path, std::string& resolved) override;
  std::string ComparedName(const std::string& name) override { return name; }
  std::vector<std::string> ListFolder(const std::string& folder) override {
    return Entries(folder);
  }
  int CreateTemporary(const std::string& stem, std::string& path) override;
  int OpenForReading(const std::string& path) override { return OpenExisting(path); }
  int OpenUnfollowed(const std::string& path) override { return OpenExisting(path); }
  int OpenToInspect(const std::string& path) override { return OpenExisting(path); }
  void Close(int fd) override;
  std::int64_t ReadAt(int fd, void* into, std::size_t count, std::uint64_t offset) override;
  std::int64_t Write(int fd, const void* data, std::size_t count) override;
  bool Flush(int fd) override;
  void FlushFolder(const std::string&) override {}
  bool Status(int fd, host::FileStatus& status) override;
  bool StatusOfPath(const std::string& path, host::FileStatus& status) override;
  bool UserMayWrite(const std::string& path) override;
  bool SetOwner(int, std::uint32_t, std::uint32_t) override { return true; }
  bool SetPermissions(int fd, std::uint32_t permissions) override;
  std::uint32_t NewFilePermissions() override { return 0644; }
  int ListAttributes(int fd, std::vector<std::string>& names) override;
  int CopyAttribute(int from, int to, const std::string& name) override;
  bool Remove(const std::string& path) override;
  int MoveToNewName(const std::string& from, const std::string& to) override;
  int CreateNew(const std::string& path, std::uint32_t permissions) override;
  int Exchange(const std::string& a, const std::string& b) override;
  Replaced Replace(const std::string& replacement, const std::string& target,
                   bool keepOld) override;
  bool ClosesFileToReplace() override { return false; }
  int Lock(int, bool) override { return 0; }

 private:
  struct Node {
    std::string bytes;
    std::uint64_t index = 0;
    std::int64_t modified = 0;
    std::int64_t changed = 0;
    std::uint32_t permissions = 0644;
    std::uint64_t links = 1;
    bool folder = false;
    std::map<std::string, std::string> attributes;
  };
  struct Open {
    std::shared_ptr<Node> node;
    std::uint64_t position = 0;
  };

  std::shared_ptr<Node> NewNode(bool folder);
  int OpenNode(std::shared_ptr<Node> node);
  int OpenExisting(const std::string& path);
  Open* Find(int fd);
  bool FolderExists(const std::string& path) const;

  std::map<std::string, std::shared_ptr<Node>> names_;
  std::map<int, Open> open_;
  std::uint64_t nextIndex_ = 1;
  std::int64_t clock_ = 1;
  int nextTemporary_ = 0;
};

}  // namespace quorvel::testing
