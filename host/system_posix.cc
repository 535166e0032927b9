#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

#include "host/kept_edits.h"
#include "host/read_at.h"
#include "host/system.h"
#include "host/temporary_name.h"
#include "host/unique_fd.h"

namespace quorvel::host {
namespace {

class PosixSystem final : public System {
 public:
  int ResolvePath(const std::string& path, std::string& resolved) override {
    char full[PATH_MAX];
    if (realpath(path.c_str(), full) == nullptr) {
      return errno;
    }
    resolved = full;
    return 0;
  }

  std::string ComparedName(const std::string& name) override { return name; }

  std::vector<std::string> ListFolder(const std::string& folder) override {
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(folder.c_str()), &closedir);
    if (listing != nullptr) {
      while (const dirent* entry = readdir(listing.get())) {
        names.emplace_back(entry->d_name);
      }
    }
    return names;
  }

  int CreateTemporary(const std::string& stem, std::string& path) override {
    std::string pattern = stem + std::string(kTemporaryRandomLength, 'X');
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd >= 0) {
      path = pattern;
    }
    return fd;
  }

  int OpenForReading(const std::string& path) override {
    // Opened without blocking, so that a FIFO or a device is not waited on; the
    // reads after are made as usual.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    const int flags = fd < 0 ? -1 : fcntl(fd, F_GETFL);
    if (fd >= 0 && (flags == -1 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1)) {
      const int error = errno;
      close(fd);
      errno = error;
      return -1;
    }
    return fd;
  }

  int OpenUnfollowed(const std::string& path) override {
    return open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  }

  int OpenToInspect(const std::string& path) override { return host::OpenToInspect(path); }

  void Close(int fd) override { close(fd); }

  std::int64_t ReadAt(int fd, void* into, std::size_t count, std::uint64_t offset) override {
    return host::ReadAt(fd, into, count, offset);
  }

  std::int64_t Write(int fd, const void* data, std::size_t count) override {
    ssize_t written = 0;
    do {
      written = write(fd, data, count);
    } while (written < 0 && errno == EINTR);
    return written;
  }

  bool Flush(int fd) override { return fsync(fd) == 0; }

  void FlushFolder(const std::string& folder) override {
    UniqueFd opened(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (opened.get() >= 0) {
      fsync(opened.get());
    }
  }

  bool Status(int fd, FileStatus& status) override { return StatusOf(fd, status); }
  bool StatusOfPath(const std::string& path, FileStatus& status) override {
    return host::StatusOfPath(path, status);
  }
  bool UserMayWrite(const std::string& path) override { return host::UserMayWrite(path); }

  bool SetOwner(int fd, std::uint32_t owner, std::uint32_t group) override {
    return fchown(fd, owner, group) == 0;
  }

  bool SetPermissions(int fd, std::uint32_t permissions) override {
    return fchmod(fd, static_cast<mode_t>(permissions)) == 0;
  }

  std::uint32_t NewFilePermissions() override {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
  }

  int ListAttributes(int fd, std::vector<std::string>& names) override {
    names.clear();
    std::vector<char> list;
    for (;;) {
      ssize_t size = flistxattr(fd, nullptr, 0);
      if (size < 0) {
        return errno == ENOTSUP ? 0 : errno;
      }
      list.resize(static_cast<std::size_t>(size));
      size = size == 0 ? 0 : flistxattr(fd, list.data(), list.size());
      if (size >= 0) {
        list.resize(static_cast<std::size_t>(size));
        break;
      }
      if (errno != ERANGE) {  // ERANGE: the list grew meanwhile; ask again
        return errno;
      }
    }
    for (std::size_t at = 0; at < list.size();) {
      std::string name(&list[at]);
      at += name.size() + 1;
      names.push_back(std::move(name));
    }
    return 0;
  }

  int CopyAttribute(int from, int to, const std::string& name) override {
    ssize_t size = fgetxattr(from, name.c_str(), nullptr, 0);
    std::vector<char> value(static_cast<std::size_t>(size < 0 ? 0 : size));
    if (size < 0 || (size = fgetxattr(from, name.c_str(), value.data(), value.size())) < 0 ||
        fsetxattr(to, name.c_str(), value.data(), static_cast<std::size_t>(size), 0) != 0) {
      return errno;
    }
    return 0;
  }

  bool Remove(const std::string& path) override { return unlink(path.c_str()) == 0; }

  int MoveToNewName(const std::string& from, const std::string& to) override {
    return host::MoveToNewName(from, to);
  }

  int CreateNew(const std::string& path, std::uint32_t permissions) override {
    const auto mode = static_cast<mode_t>(permissions & 0777);
    // The mask can only narrow the mode given at creation; the bits asked for are
    // set afterwards, so the file is never more open than asked at any moment.
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 && fchmod(fd, mode) != 0) {
      const int error = errno;
      close(fd);
      unlink(path.c_str());
      errno = error == EEXIST ? EIO : error;
      return -1;
    }
    return fd;
  }

  int Exchange(const std::string& a, const std::string& b) override {
    return renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0 ? 0 : errno;
  }

  Replaced Replace(const std::string& replacement, const std::string& target,
                   bool keepOld) override {
    Replaced done;
    if (keepOld) {
      done.error = Exchange(replacement, target);
      if (done.error == 0) {
        done.oldAt = replacement;
      }
    } else if (rename(replacement.c_str(), target.c_str()) != 0) {
      done.error = errno;
    }
    return done;
  }

  bool ClosesFileToReplace() override { return false; }

  int Lock(int fd, bool wait) override {
    while (flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)) != 0) {
      if (errno != EINTR) {
        return errno;
      }
    }
    return 0;
  }
};

}  // namespace

System& RealSystem() {
  static PosixSystem system;
  return system;
}

}  // namespace quorvel::host
