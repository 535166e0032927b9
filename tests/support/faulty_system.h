#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "host/system.h"

namespace quorvel::testing {

// The real system (or another one under it, such as MemorySystem), but one that
// fails on purpose: a named call fails at its n-th use with a chosen errno value, as
// a disk that fills up, a file system that keeps no locks or attributes, or a
// replace that stops halfway would. Every call is counted by name, so that a test
// can first count the calls of a whole save and then fail each one in turn. Over
// the real system, what a failure leaves is checked in a real folder.
//
// The call names: "resolve path", "list folder", "create temporary", "open for
// reading", "open unfollowed", "open to inspect", "read at", "write", "flush",
// "status", "status of path", "user may write", "set owner", "set permissions",
// "list attributes", "copy attribute", "remove", "move to new name", "create new",
// "exchange", "replace", "lock". (Closing and flushing a folder never fail.)
class FaultySystem final : public host::System {
 public:
  FaultySystem() : real_(host::RealSystem()) {}
  // The same over another system (one kept in memory).
  explicit FaultySystem(host::System& under) : real_(under) {}

  // The `nth` use (from 1) of `call` fails with `error`.
  void FailAt(const std::string& call, int nth, int error) { faults_[{call, nth}] = error; }
  // Replaces as Windows does: the old file is moved aside to a backup name of the
  // temporary files' form, then the new one takes the name. The `nth` replace stops
  // halfway: the old file is moved aside and the new one keeps its own name.
  void ReplaceAsWindowsDoes(int stopHalfwayAt = 0) {
    windowsReplace_ = true;
    halfwayAt_ = stopHalfwayAt;
  }
  // How often each call was made.
  const std::map<std::string, int>& Uses() const { return uses_; }
  // The backup names a Windows-like replace used.
  const std::vector<std::string>& Backups() const { return backups_; }

  int ResolvePath(const std::string& path, std::string& resolved) override;
  std::string ComparedName(const std::string& name) override { return real_.ComparedName(name); }
  std::vector<std::string> ListFolder(const std::string& folder) override;
  int CreateTemporary(const std::string& stem, std::string& path) override;
  int OpenForReading(const std::string& path) override;
  int OpenUnfollowed(const std::string& path) override;
  int OpenToInspect(const std::string& path) override;
  void Close(int fd) override { real_.Close(fd); }
  std::int64_t ReadAt(int fd, void* into, std::size_t count, std::uint64_t offset) override;
  std::int64_t Write(int fd, const void* data, std::size_t count) override;
  bool Flush(int fd) override;
  void FlushFolder(const std::string& folder) override { real_.FlushFolder(folder); }
  bool Status(int fd, host::FileStatus& status) override;
  bool StatusOfPath(const std::string& path, host::FileStatus& status) override;
  bool UserMayWrite(const std::string& path) override;
  bool SetOwner(int fd, std::uint32_t owner, std::uint32_t group) override;
  bool SetPermissions(int fd, std::uint32_t permissions) override;
  std::uint32_t NewFilePermissions() override { return real_.NewFilePermissions(); }
  int ListAttributes(int fd, std::vector<std::string>& names) override;
  int CopyAttribute(int from, int to, const std::string& name) override;
  bool Remove(const std::string& path) override;
  int MoveToNewName(const std::string& from, const std::string& to) override;
  int CreateNew(const std::string& path, std::uint32_t permissions) override;
  int Exchange(const std::string& a, const std::string& b) override;
  Replaced Replace(const std::string& replacement, const std::string& target,
                   bool keepOld) override;
  // A Windows-like replace here renames files that are open, as every system can
  // where they are opened for sharing.
  bool ClosesFileToReplace() override { return !windowsReplace_ && real_.ClosesFileToReplace(); }
  int Lock(int fd, bool wait) override;

 private:
  // Counts a use of `call`; the errno value it is to fail with, or 0.
  int Fault(const std::string& call);

  host::System& real_;
  std::map<std::pair<std::string, int>, int> faults_;
  std::map<std::string, int> uses_;
  std::vector<std::string> backups_;
  bool windowsReplace_ = false;
  int halfwayAt_ = 0;
};

}  // namespace quorvel::testing
