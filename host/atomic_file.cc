// The atomic save, once for every system: what differs lies behind System.
#include "host/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "host/kept_edits.h"
#include "host/ms3d_error.h"
#include "host/path_parts.h"
#include "host/temporary_name.h"

namespace quorvel::host {

AtomicFile::AtomicFile(const std::string& target, std::string displayName, bool mayBeNew)
    : system_(CurrentSystem()), displayName_(std::move(displayName)) {
  int error = system_.ResolvePath(target, target_);
  if (error == ENOENT && mayBeNew && !BaseNameOf(target).empty()) {
    std::string folder;
    error = system_.ResolvePath(FolderOf(target), folder);
    if (error != 0) {
      Fail("cannot find the folder " + FolderOf(target), error);
    }
    target_ = PathIn(folder, BaseNameOf(target));
    newFile_ = true;
  } else if (error != 0) {
    Fail("cannot find the file to replace", error);
  }
  const std::string stem =
      PathIn(FolderOf(target_), TemporaryNamePrefix(system_.ComparedName(BaseNameOf(target_))));
  {
    HeldSignals held;
    fd_ = system_.CreateTemporary(stem, temporaryPath_);
    if (fd_ >= 0) {
      signals_.Track(temporaryPath_);
    }
  }
  if (fd_ < 0) {
    Fail("cannot create a temporary file in " + FolderOf(target_), errno);
  }
}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) {
    system_.Close(fd_);
  }
  if (!done_ && !temporaryPath_.empty()) {
    HeldSignals held;
    system_.Remove(temporaryPath_);
    signals_.Forget();
  }
}

void AtomicFile::Write(const void* data, std::size_t size) {
  const char* next = static_cast<const char*>(data);
  while (size > 0) {
    const std::int64_t written = system_.Write(fd_, next, size);
    if (written <= 0) {
      Fail("cannot write " + temporaryPath_, written < 0 ? errno : ENOSPC);
    }
    next += written;
    size -= static_cast<std::size_t>(written);
  }
}

std::string AtomicFile::TakeAttributesOf(int original) {
  FileStatus status;
  if (!system_.Status(original, status)) {
    Fail("cannot read the status of the original", errno);
  }
  FileStatus mine;
  if (!system_.Status(fd_, mine)) {
    Fail("cannot read the status of " + temporaryPath_, errno);
  }
  // Only a privileged user can hand a file to someone else, and only a member of a
  // group can give a file to that group. A save that would change the owner is
  // refused rather than made.
  if ((mine.owner != status.owner || mine.group != status.group) &&
      !system_.SetOwner(fd_, status.owner, status.group)) {
    return "it belongs to user " + std::to_string(status.owner) + " and group " +
           std::to_string(status.group) +
           ", and a save by this user would give it a new owner or group";
  }
  // After the owner, which clears the set-user and set-group bits.
  if (!system_.SetPermissions(fd_, status.permissions)) {
    Fail("cannot set the permissions of " + temporaryPath_, errno);
  }
  std::vector<std::string> names;
  if (const int error = system_.ListAttributes(original, names); error != 0) {
    return std::string("its extended attributes cannot be read (") + std::strerror(error) +
           "), so they could not be kept";
  }
  for (const std::string& name : names) {
    if (const int error = system_.CopyAttribute(original, fd_, name); error != 0) {
      return "its extended attribute " + name + " cannot be kept (" + std::strerror(error) + ")";
    }
  }
  return "";
}

void AtomicFile::SetPermissions(const FileStatus* replaced) {
  const std::uint32_t mode =
      replaced != nullptr ? replaced->permissions : system_.NewFilePermissions();
  if (!system_.SetPermissions(fd_, mode)) {
    Fail("cannot set the permissions of " + temporaryPath_, errno);
  }
}

void AtomicFile::Flush() {
  if (!system_.Flush(fd_)) {
    Fail("cannot flush " + temporaryPath_ + " to the disk", errno);
  }
}

FileStatus AtomicFile::Commit() {
  FileStatus status;
  CommitChecked(ReplacedCheck(), status);
  return status;
}

std::string AtomicFile::CommitChecked(const ReplacedCheck& check, FileStatus& status) {
  // Where the system refuses to rename an open file, the new file is closed while
  // it is put in place, and opened again after.
  const bool reopen = system_.ClosesFileToReplace();
  if (reopen) {
    system_.Close(fd_);
    fd_ = -1;
  }
  {
    // Held until the old file is checked and removed or given its name back: a
    // signal meanwhile would remove whichever file has the temporary name.
    HeldSignals held;
    if (newFile_) {
      const int error = system_.MoveToNewName(temporaryPath_, target_);
      if (error != 0) {
        Fail("cannot give " + temporaryPath_ + " the name " + target_, error);
      }
    } else {
      System::Replaced replaced = system_.Replace(temporaryPath_, target_, bool(check));
      if (replaced.error != 0 && !replaced.halfway && check &&
          ExchangeUnsupported(replaced.error)) {
        static bool told = false;
        if (!std::exchange(told, true)) {
          note_ = "the file system of " + FolderOf(target_) +
                  " cannot trade two files' names in one step (" + std::strerror(replaced.error) +
                  "), so the model was put in place by a plain rename, which loses a change "
                  "another program makes in the moment before it";
        }
        replaced = system_.Replace(temporaryPath_, target_, false);
        if (replaced.error != 0 && !replaced.halfway) {
          Fail("cannot rename " + temporaryPath_ + " over " + target_, replaced.error);
        }
      }
      if (replaced.halfway) {
        std::string refusal = FinishHalfwayReplace(check, replaced.oldAt, replaced.error);
        if (!refusal.empty()) {
          return refusal;
        }
      } else if (replaced.error != 0) {
        Fail("cannot put " + temporaryPath_ + " in the place of " + target_, replaced.error);
      } else if (check && !replaced.oldAt.empty()) {
        std::string refusal = CheckOld(check, replaced.oldAt);
        if (!refusal.empty()) {
          return refusal;
        }
      } else if (!replaced.oldAt.empty()) {
        system_.Remove(replaced.oldAt);  // should it stay, the next edit names it
      }
    }
    done_ = true;
    signals_.Forget();
  }
  // The rename itself is made durable by flushing the folder. The new file is in
  // place whatever happens here, so a failure is not reported as a failed save: the
  // caller finds no descriptor, or no status.
  system_.FlushFolder(FolderOf(target_));
  if (reopen) {
    fd_ = system_.OpenForReading(target_);
  }
  // After the rename, which changes the file's status time.
  if (fd_ >= 0) {
    system_.Status(fd_, status);
  }
  return "";
}

std::string AtomicFile::CheckOld(const ReplacedCheck& check, const std::string& oldAt) {
  std::string refusal = CheckFileAt(check, oldAt);
  if (refusal.empty()) {
    system_.Remove(oldAt);  // the old file; should it stay, the next edit names it
    return "";
  }
  const int error = PutBack(oldAt);
  if (error == 0) {
    return refusal;  // the old file has its name back, the new one its own
  }
  // The names cannot be traded back: the new file stays in place, and what another
  // program had put there is kept beside it.
  done_ = true;
  signals_.Forget();
  std::string kept = oldAt;
  try {
    kept = KeepFileBeside(target_, oldAt);
  } catch (const Ms3dError&) {
  }
  throw Ms3dError(displayName_ + ": saved, but " + refusal +
                  ", and that file could not be given its name back (" + std::strerror(error) +
                  "); it is kept in " + kept);
}

std::string AtomicFile::CheckFileAt(const ReplacedCheck& check, const std::string& oldAt) {
  // Not followed, and never waited on: whatever was put at the path is checked as
  // it is.
  const int old = system_.OpenUnfollowed(oldAt);
  if (old < 0) {
    return std::string("what lay at its place cannot be opened to check it (") +
           std::strerror(errno) + ")";
  }
  std::string refusal = CheckedSafely(check, old);
  system_.Close(old);
  return refusal;
}

int AtomicFile::PutBack(const std::string& oldAt) {
  if (oldAt == temporaryPath_) {
    return system_.Exchange(temporaryPath_, target_);
  }
  // Moved back one at a time: a replacing step would have to open the old file
  // alone, which the model's document may still hold open.
  int error = system_.MoveToNewName(target_, temporaryPath_);
  if (error == 0) {
    error = system_.MoveToNewName(oldAt, target_);
    if (error == 0) {
      return 0;
    }
    system_.MoveToNewName(temporaryPath_, target_);
  }
  return error;
}

std::string AtomicFile::FinishHalfwayReplace(const ReplacedCheck& check, const std::string& oldAt,
                                             int error) {
  // The system moved the old file aside, to the backup name asked for (`oldAt`),
  // and stopped: the target's name is free, the new file still has its temporary
  // name. Neither is lost: the old file is checked where it lies, and the new one
  // is given the name; should that fail again, the old file gets its name back.
  if (!oldAt.empty() && check) {
    std::string refusal = CheckFileAt(check, oldAt);
    if (!refusal.empty()) {
      const int lost = system_.MoveToNewName(oldAt, target_);
      if (lost == 0) {
        return refusal;  // the old file has its name back, the new one its own
      }
      // The new file takes the name, and what another program had put there is
      // kept beside it.
      done_ = true;
      signals_.Forget();
      const std::string at = PutInPlaceOfRemoved(target_, temporaryPath_);
      std::string kept = oldAt;
      try {
        kept = KeepFileBeside(target_, oldAt);
      } catch (const Ms3dError&) {
      }
      throw Ms3dError(displayName_ +
                      (at == target_ ? ": saved, but " : ": saved as " + at + ", but ") + refusal +
                      ", and that file could not be given its name back (" + std::strerror(lost) +
                      "); it is kept in " + kept);
    }
  }
  if (system_.MoveToNewName(temporaryPath_, target_) == 0) {
    if (!oldAt.empty()) {
      system_.Remove(oldAt);  // should it stay, the next edit names it
    }
    return "";
  }
  if (!oldAt.empty() && system_.MoveToNewName(oldAt, target_) == 0) {
    Fail("cannot put " + temporaryPath_ + " in the place of " + target_, error);
  }
  // Neither file has the name, and the new one is a complete model: it is never
  // removed.
  done_ = true;
  signals_.Forget();
  const std::string at = PutInPlaceOfRemoved(target_, temporaryPath_);
  if (at == target_) {
    if (!oldAt.empty()) {
      system_.Remove(oldAt);
    }
    return "";
  }
  throw Ms3dError(displayName_ +
                  ": not saved under its name: the system moved the old file away while "
                  "replacing it and could not give either file its name back; the saved model is " +
                  at + (oldAt.empty() ? std::string() : ", the old one " + oldAt));
}

std::string AtomicFile::KeepBeside() {
  if (fd_ >= 0 && system_.ClosesFileToReplace()) {
    system_.Close(fd_);
    fd_ = -1;
  }
  HeldSignals held;
  std::string kept = KeepFileBeside(target_, temporaryPath_);
  done_ = true;
  signals_.Forget();
  return kept;
}

std::vector<std::string> AtomicFile::LeftOverTemporaryFiles(const std::string& target) {
  System& system = CurrentSystem();
  std::string resolved;
  if (system.ResolvePath(target, resolved) != 0) {
    return {};
  }
  const std::string folder = FolderOf(resolved);
  const std::string base = system.ComparedName(BaseNameOf(resolved));
  std::vector<std::string> found;
  for (const std::string& name : system.ListFolder(folder)) {
    if (IsTemporaryNameOf(system.ComparedName(name), base)) {
      found.push_back(PathIn(folder, name));
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

void AtomicFile::Fail(const std::string& step, int error) const {
  throw Ms3dError(displayName_ + ": not saved: " + step + ": " + std::strerror(error));
}

}  // namespace quorvel::host
