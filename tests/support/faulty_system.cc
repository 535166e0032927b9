#include "tests/support/faulty_system.h"

#include <cerrno>

#include "host/path_parts.h"
#include "host/temporary_name.h"

namespace quorvel::testing {

int FaultySystem::Fault(const std::string& call) {
  const int use = ++uses_[call];
  const auto fault = faults_.find({call, use});
  if (fault == faults_.end()) {
    return 0;
  }
  errno = fault->second;
  return fault->second;
}

int FaultySystem::ResolvePath(const std::string& path, std::string& resolved) {
  if (const int error = Fault("resolve path")) {
    return error;
  }
  return real_.ResolvePath(path, resolved);
}

std::vector<std::string> FaultySystem::ListFolder(const std::string& folder) {
  if (Fault("list folder") != 0) {
    return {};
  }
  return real_.ListFolder(folder);
}

int FaultySystem::CreateTemporary(const std::string& stem, std::string& path) {
  return Fault("create temporary") != 0 ? -1 : real_.CreateTemporary(stem, path);
}

int FaultySystem::OpenForReading(const std::string& path) {
  return Fault("open for reading") != 0 ? -1 : real_.OpenForReading(path);
}

int FaultySystem::OpenUnfollowed(const std::string& path) {
  return Fault("open unfollowed") != 0 ? -1 : real_.OpenUnfollowed(path);
}

int FaultySystem::OpenToInspect(const std::string& path) {
  return Fault("open to inspect") != 0 ? -1 : real_.OpenToInspect(path);
}

std::int64_t FaultySystem::ReadAt(int fd, void* into, std::size_t count, std::uint64_t offset) {
  return Fault("read at") != 0 ? -1 : real_.ReadAt(fd, into, count, offset);
}

std::int64_t FaultySystem::Write(int fd, const void* data, std::size_t count) {
  return Fault("write") != 0 ? -1 : real_.Write(fd, data, count);
}

bool FaultySystem::Flush(int fd) {
  return Fault("flush") == 0 && real_.Flush(fd);
}

bool FaultySystem::Status(int fd, host::FileStatus& status) {
  return Fault("status") == 0 && real_.Status(fd, status);
}

bool FaultySystem::StatusOfPath(const std::string& path, host::FileStatus& status) {
  return Fault("status of path") == 0 && real_.StatusOfPath(path, status);
}

bool FaultySystem::UserMayWrite(const std::string& path) {
  return Fault("user may write") == 0 && real_.UserMayWrite(path);
}

bool FaultySystem::SetOwner(int fd, std::uint32_t owner, std::uint32_t group) {
  return Fault("set owner") == 0 && real_.SetOwner(fd, owner, group);
}

bool FaultySystem::SetPermissions(int fd, std::uint32_t permissions) {
  return Fault("set permissions") == 0 && real_.SetPermissions(fd, permissions);
}

int FaultySystem::ListAttributes(int fd, std::vector<std::string>& names) {
  if (const int error = Fault("list attributes")) {
    return error;
  }
  return real_.ListAttributes(fd, names);
}

int FaultySystem::CopyAttribute(int from, int to, const std::string& name) {
  if (const int error = Fault("copy attribute")) {
    return error;
  }
  return real_.CopyAttribute(from, to, name);
}

bool FaultySystem::Remove(const std::string& path) {
  return Fault("remove") == 0 && real_.Remove(path);
}

int FaultySystem::MoveToNewName(const std::string& from, const std::string& to) {
  if (const int error = Fault("move to new name")) {
    return error;
  }
  return real_.MoveToNewName(from, to);
}

int FaultySystem::CreateNew(const std::string& path, std::uint32_t permissions) {
  return Fault("create new") != 0 ? -1 : real_.CreateNew(path, permissions);
}

int FaultySystem::Exchange(const std::string& a, const std::string& b) {
  if (const int error = Fault("exchange")) {
    return error;
  }
  return real_.Exchange(a, b);
}

host::System::Replaced FaultySystem::Replace(const std::string& replacement,
                                             const std::string& target, bool keepOld) {
  Replaced done;
  const int use = uses_["replace"] + 1;
  if ((done.error = Fault("replace")) != 0) {
    return done;
  }
  if (!windowsReplace_) {
    return real_.Replace(replacement, target, keepOld);
  }
  // The old file goes to a backup name of the temporary files' form first (six
  // characters in place of the random ones), then the new one takes its name.
  const std::string backup =
      host::PathIn(host::FolderOf(target), host::TemporaryNamePrefix(host::BaseNameOf(target)) +
                                               "Bk" + std::to_string(1000 + backups_.size()));
  backups_.push_back(backup);
  if ((done.error = real_.MoveToNewName(target, backup)) != 0) {
    return done;
  }
  done.oldAt = backup;
  if (use == halfwayAt_) {
    done.error = EIO;
    done.halfway = true;
    return done;
  }
  // A new file that cannot take the name leaves the replace halfway, as on Windows.
  done.error = real_.MoveToNewName(replacement, target);
  done.halfway = done.error != 0;
  return done;
}

int FaultySystem::Lock(int fd, bool wait) {
  if (const int error = Fault("lock")) {
    return error;
  }
  return real_.Lock(fd, wait);
}

}  // namespace quorvel::testing
