#include "host/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "host/kept_edits.h"
#include "host/ms3d_error.h"
#include "host/path_parts.h"
#include "host/temporary_name.h"
#include "host/unique_fd.h"

namespace quorvel::host {
namespace {

// Whether a failure of renameat2 means only that the file system (or the system)
// cannot trade two names in one step.
bool ExchangeUnsupported(int error) {
  return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == ENOTSUP ||
         error == EXDEV;
}

// The names of the extended attributes of `fd`, empty when it has none or the file
// system keeps none. Any other failure to list them is an error (errno set): a save
// must not go on as if there were none to keep.
std::optional<std::vector<std::string>> AttributeNames(int fd) {
  std::vector<char> list;
  for (;;) {
    ssize_t size = flistxattr(fd, nullptr, 0);
    if (size < 0) {
      if (errno == ENOTSUP) {
        return std::vector<std::string>{};
      }
      return std::nullopt;
    }
    list.resize(static_cast<std::size_t>(size));
    size = size == 0 ? 0 : flistxattr(fd, list.data(), list.size());
    if (size >= 0) {
      list.resize(static_cast<std::size_t>(size));
      break;
    }
    if (errno != ERANGE) {  // ERANGE: the list grew meanwhile; ask again
      return std::nullopt;
    }
  }
  std::vector<std::string> names;
  for (std::size_t at = 0; at < list.size();) {
    std::string name(&list[at]);
    at += name.size() + 1;
    names.push_back(std::move(name));
  }
  return names;
}

}  // namespace

AtomicFile::AtomicFile(const std::string& target, std::string displayName, bool mayBeNew)
    : displayName_(std::move(displayName)) {
  char resolved[PATH_MAX];
  if (realpath(target.c_str(), resolved) != nullptr) {
    target_ = resolved;
  } else if (errno == ENOENT && mayBeNew && !BaseNameOf(target).empty()) {
    if (realpath(FolderOf(target).c_str(), resolved) == nullptr) {
      Fail("cannot find the folder " + FolderOf(target), errno);
    }
    target_ =
        std::string(resolved) + (std::string(resolved) == "/" ? "" : "/") + BaseNameOf(target);
    newFile_ = true;
  } else {
    Fail("cannot find the file to replace", errno);
  }
  const std::string folder = FolderOf(target_);
  std::string pattern = folder + (folder == "/" ? "" : "/") +
                        TemporaryNamePrefix(BaseNameOf(target_)) +
                        std::string(kTemporaryRandomLength, 'X');
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  {
    HeldSignals held;
    fd_ = mkostemp(name.data(), O_CLOEXEC);
    if (fd_ >= 0) {
      temporaryPath_ = name.data();
      signals_.Track(temporaryPath_);
    }
  }
  if (fd_ < 0) {
    Fail("cannot create a temporary file in " + FolderOf(target_), errno);
  }
}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) {
    close(fd_);
  }
  if (!done_ && !temporaryPath_.empty()) {
    HeldSignals held;
    unlink(temporaryPath_.c_str());
    signals_.Forget();
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
      int error = written < 0 ? errno : ENOSPC;
      Fail("cannot write " + temporaryPath_, error);
    }
    next += written;
    size -= static_cast<std::size_t>(written);
  }
}

std::string AtomicFile::TakeAttributesOf(int original) {
  struct stat status {};
  if (fstat(original, &status) != 0) {
    Fail("cannot read the status of the original", errno);
  }
  struct stat mine {};
  if (fstat(fd_, &mine) != 0) {
    Fail("cannot read the status of " + temporaryPath_, errno);
  }
  // Only a privileged user can hand a file to someone else, and only a member of a
  // group can give a file to that group. A save that would change the owner is
  // refused rather than made.
  if ((mine.st_uid != status.st_uid || mine.st_gid != status.st_gid) &&
      fchown(fd_, status.st_uid, status.st_gid) != 0) {
    return "it belongs to user " + std::to_string(status.st_uid) + " and group " +
           std::to_string(status.st_gid) +
           ", and a save by this user would give it a new owner or group";
  }
  // After the owner, which clears the set-user and set-group bits.
  if (fchmod(fd_, status.st_mode & 07777) != 0) {
    Fail("cannot set the permissions of " + temporaryPath_, errno);
  }
  const std::optional<std::vector<std::string>> names = AttributeNames(original);
  if (!names) {
    return std::string("its extended attributes cannot be read (") + std::strerror(errno) +
           "), so they could not be kept";
  }
  for (const std::string& name : *names) {
    ssize_t size = fgetxattr(original, name.c_str(), nullptr, 0);
    std::vector<char> value(static_cast<std::size_t>(std::max<ssize_t>(size, 0)));
    if (size < 0 || (size = fgetxattr(original, name.c_str(), value.data(), value.size())) < 0 ||
        fsetxattr(fd_, name.c_str(), value.data(), static_cast<std::size_t>(size), 0) != 0) {
      return "its extended attribute " + name + " cannot be kept (" + std::strerror(errno) + ")";
    }
  }
  return "";
}

void AtomicFile::SetPermissions(const FileStatus* replaced) {
  mode_t mode = 0;
  if (replaced != nullptr) {
    mode = static_cast<mode_t>(replaced->permissions);
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  if (fchmod(fd_, mode) != 0) {
    Fail("cannot set the permissions of " + temporaryPath_, errno);
  }
}

void AtomicFile::Flush() {
  if (fsync(fd_) != 0) {
    Fail("cannot flush " + temporaryPath_ + " to the disk", errno);
  }
}

FileStatus AtomicFile::Commit() {
  FileStatus status;
  CommitChecked(ReplacedCheck(), status);
  return status;
}

std::string AtomicFile::CommitChecked(const ReplacedCheck& check, FileStatus& status) {
  {
    // Held until the old file is checked and removed or given its name back: a
    // signal meanwhile would remove whichever file has the temporary name.
    HeldSignals held;
    if (newFile_) {
      const int error = MoveToNewName(temporaryPath_, target_);
      if (error != 0) {
        Fail("cannot give " + temporaryPath_ + " the name " + target_, error);
      }
    } else if (!check) {
      RenameOver();
    } else if (renameat2(AT_FDCWD, temporaryPath_.c_str(), AT_FDCWD, target_.c_str(),
                         RENAME_EXCHANGE) == 0) {
      std::string refusal = CheckExchanged(check);
      if (!refusal.empty()) {
        return refusal;
      }
    } else if (const int error = errno; ExchangeUnsupported(error)) {
      static bool told = false;
      if (!std::exchange(told, true)) {
        note_ = "the file system of " + FolderOf(target_) +
                " cannot trade two files' names in one step (" + std::strerror(error) +
                "), so the model was put in place by a plain rename, which loses a change "
                "another program makes in the moment before it";
      }
      RenameOver();
    } else {
      Fail("cannot put " + temporaryPath_ + " in the place of " + target_, error);
    }
    done_ = true;
    signals_.Forget();
  }
  // The rename itself is made durable by flushing the folder. The new file is in
  // place whatever happens here, so a failure is not reported as a failed save.
  UniqueFd folder(open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) {
    fsync(folder.get());
  }
  // After the rename, which changes the file's status time.
  StatusOf(fd_, status);
  return "";
}

void AtomicFile::RenameOver() {
  if (rename(temporaryPath_.c_str(), target_.c_str()) != 0) {
    Fail("cannot rename " + temporaryPath_ + " over " + target_, errno);
  }
}

std::string AtomicFile::CheckExchanged(const ReplacedCheck& check) {
  std::string refusal;
  {
    // Not followed, and never waited on: whatever was put at the path is checked as
    // it is.
    UniqueFd old(open(temporaryPath_.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    refusal = old.get() >= 0 ? CheckedSafely(check, old.get())
                             : std::string("what lay at its place cannot be opened to check it (") +
                                   std::strerror(errno) + ")";
  }
  if (refusal.empty()) {
    unlink(temporaryPath_.c_str());  // the old file; should it stay, the next edit names it
    return "";
  }
  if (renameat2(AT_FDCWD, temporaryPath_.c_str(), AT_FDCWD, target_.c_str(), RENAME_EXCHANGE) ==
      0) {
    return refusal;
  }
  // The names cannot be traded back: the new file stays in place, and what another
  // program had put there is kept beside it.
  const int error = errno;
  done_ = true;
  signals_.Forget();
  std::string kept = temporaryPath_;
  try {
    kept = KeepFileBeside(target_, temporaryPath_);
  } catch (const Ms3dError&) {
  }
  throw Ms3dError(displayName_ + ": saved, but " + refusal +
                  ", and that file could not be given its name back (" + std::strerror(error) +
                  "); it is kept in " + kept);
}

std::string AtomicFile::KeepBeside() {
  HeldSignals held;
  std::string kept = KeepFileBeside(target_, temporaryPath_);
  done_ = true;
  signals_.Forget();
  return kept;
}

std::vector<std::string> AtomicFile::LeftOverTemporaryFiles(const std::string& target) {
  char resolved[PATH_MAX];
  if (realpath(target.c_str(), resolved) == nullptr) {
    return {};
  }
  const std::string folder = FolderOf(resolved);
  const std::string base = BaseNameOf(resolved);
  std::vector<std::string> found;
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(folder.c_str()), &closedir);
  if (listing == nullptr) {
    return found;
  }
  while (const dirent* entry = readdir(listing.get())) {
    const std::string name = entry->d_name;
    if (IsTemporaryNameOf(name, base)) {
      found.push_back(folder + (folder == "/" ? "" : "/") + name);
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

void AtomicFile::Fail(const std::string& step, int error) const {
  throw Ms3dError(displayName_ + ": not saved: " + step + ": " + std::strerror(error));
}

}  // namespace quorvel::host
