#include "host/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/ms3d_error.h"

namespace quorvel::host {
namespace {

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

AtomicFile::AtomicFile(const std::string& target, std::string displayName)
    : displayName_(std::move(displayName)) {
  char resolved[PATH_MAX];
  if (realpath(target.c_str(), resolved) == nullptr) {
    Fail("cannot find the file to replace", errno);
  }
  target_ = resolved;
  if (access(target_.c_str(), W_OK) != 0) {
    Fail("the file is not writable", errno);
  }
  std::string pattern = FolderOf(target_) + "/." + BaseNameOf(target_) + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  fd_ = mkostemp(name.data(), O_CLOEXEC);
  if (fd_ < 0) {
    Fail("cannot create a temporary file in " + FolderOf(target_), errno);
  }
  temporaryPath_ = name.data();
}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) {
    close(fd_);
  }
  if (!committed_ && !temporaryPath_.empty()) {
    unlink(temporaryPath_.c_str());
  }
}

void AtomicFile::Write(const void* data, std::size_t size) {
  const char* next = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t written = write(fd_, next, size);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      Fail("cannot write " + temporaryPath_, written < 0 ? errno : ENOSPC);
    }
    next += written;
    size -= static_cast<std::size_t>(written);
  }
}

struct stat AtomicFile::Commit(mode_t mode, uid_t owner, gid_t group) {
  if (fchmod(fd_, mode) != 0) {
    Fail("cannot set the permissions of " + temporaryPath_, errno);
  }
  struct stat status {};
  if (fstat(fd_, &status) != 0) {
    Fail("cannot read the status of " + temporaryPath_, errno);
  }
  // Only a privileged user can hand a file to someone else; for everyone else the
  // new file keeps the saving user as its owner, as any editor's save would.
  if ((status.st_uid != owner || status.st_gid != group) && fchown(fd_, owner, group) == 0) {
    fstat(fd_, &status);
  }
  if (fsync(fd_) != 0) {
    Fail("cannot flush " + temporaryPath_ + " to the disk", errno);
  }
  int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0) {
    Fail("cannot close " + temporaryPath_, errno);
  }
  if (rename(temporaryPath_.c_str(), target_.c_str()) != 0) {
    Fail("cannot rename " + temporaryPath_ + " over " + target_, errno);
  }
  committed_ = true;
  // The rename itself is made durable by flushing the folder. The new file is in
  // place whatever happens here, so a failure is not reported as a failed save.
  int folder = open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
  return status;
}

void AtomicFile::Fail(const std::string& step, int error) const {
  throw Ms3dError(displayName_ + ": not saved: " + step + ": " + std::strerror(error));
}

}  // namespace quorvel::host
