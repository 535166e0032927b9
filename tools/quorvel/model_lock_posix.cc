#include "tools/quorvel/model_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

#include "host/system.h"
#include "tools/quorvel/command_error.h"

namespace quorvel::app {
namespace {

// How often, and how far apart, the holder of a refused lock is looked for before
// it is called "another process": about a fifth of a second in all.
constexpr int kHolderLookUps = 20;
constexpr std::chrono::milliseconds kHolderLookUpPause{10};

// The short name of process `pid`, empty when it cannot be read.
std::string ProcessName(const std::string& pid) {
  std::ifstream comm("/proc/" + pid + "/comm");
  std::string name;
  std::getline(comm, name);
  return name;
}

}  // namespace

std::string LockHolder(int fd) {
  std::string holder = ListedLockHolder(fd);
  return holder.empty() ? "another process" : holder;
}

std::string ListedLockHolder(int fd) {
  struct stat status {};
  if (fstat(fd, &status) != 0) {
    return "";
  }
  std::ostringstream wanted;
  wanted << std::hex;
  wanted.width(2);
  wanted.fill('0');
  wanted << major(status.st_dev) << ':';
  wanted.width(2);
  wanted << minor(status.st_dev) << ':' << std::dec << status.st_ino;
  // Lines such as "1: FLOCK  ADVISORY  WRITE 1234 08:01:5678 0 EOF"; those of
  // processes waiting for a lock have "->" after the number.
  std::ifstream locks("/proc/locks");
  std::string line;
  while (std::getline(locks, line)) {
    std::istringstream fields(line);
    std::string number, kind, advisory, access, pid, file;
    fields >> number >> kind >> advisory >> access >> pid >> file;
    if (kind == "FLOCK" && file == wanted.str()) {
      std::string name = ProcessName(pid);
      return "process " + pid + (name.empty() ? "" : " (" + name + ")");
    }
  }
  return "";
}

std::optional<std::string> HolderOrLock(int fd, const std::function<std::string(int)>& lookUp) {
  for (int attempt = 0;; ++attempt) {
    std::string holder = lookUp(fd);
    if (!holder.empty()) {
      return holder;
    }
    // Not listed: the holder may have let go since the lock was refused, or not be
    // listed yet. The lock is taken when it is free now.
    const int error = host::CurrentSystem().Lock(fd, false);
    if (error == 0) {
      return std::nullopt;
    }
    if (error != EWOULDBLOCK) {
      return "another process";
    }
    if (attempt == kHolderLookUps) {
      return "another process";
    }
    std::this_thread::sleep_for(kHolderLookUpPause);
  }
}

ModelLock ModelLock::Take(const std::string& path, bool wait) {
  for (;;) {
    host::UniqueFd file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat locked {};
    if (file.get() < 0 || fstat(file.get(), &locked) != 0 || !S_ISREG(locked.st_mode)) {
      return ModelLock(host::UniqueFd());
    }
    if (const int error = host::CurrentSystem().Lock(file.get(), false); error != 0) {
      if (error == ENOLCK || error == EOPNOTSUPP || error == EBADF) {
        // A file system that keeps no such locks (some network ones): the checks right
        // before a save still keep other writers' changes.
        std::cerr << path << ": warning: the file cannot be locked here (" << std::strerror(error)
                  << "); another quorvel edit of it is not held off, but a save still refuses "
                     "to overwrite its changes\n";
        return ModelLock(host::UniqueFd());
      }
      if (error != EWOULDBLOCK) {
        throw CommandError(kExitFileError,
                           path + ": cannot lock the file for editing: " + std::strerror(error));
      }
      const std::optional<std::string> holder = HolderOrLock(file.get(), ListedLockHolder);
      if (holder) {
        WaitForHolderOrRefuse(path, *holder, wait);
        if (const int waited = host::CurrentSystem().Lock(file.get(), true); waited != 0) {
          throw CommandError(kExitFileError,
                             path + ": cannot lock the file for editing: " + std::strerror(waited));
        }
      }
    }
    // The holder may have saved, putting a new file at the path; then the lock is on
    // the old one, and the new one is locked instead.
    struct stat atPath {};
    if (stat(path.c_str(), &atPath) == 0 && atPath.st_dev == locked.st_dev &&
        atPath.st_ino == locked.st_ino) {
      return ModelLock(std::move(file));
    }
  }
}

}  // namespace quorvel::app
