#include <fcntl.h>
#include <io.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>

#include "host/atomic_file.h"
#include "host/kept_edits.h"
#include "host/ms3d_error.h"
#include "host/path_parts.h"
#include "host/temporary_name.h"
#include "host/windows_system.h"

namespace quorvel::host {
namespace {

constexpr int kMostTries = 100;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The full path of `path`, with the current folder and drive filled in; empty, with
// errno set, when there is none.
std::string FullPath(const std::string& path) {
  const std::wstring wide = WidePath(path);
  const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  std::wstring full(size, L'\0');
  const DWORD length = size == 0 ? 0 : GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) {
    TakeLastError();
    return {};
  }
  full.resize(length);
  return NarrowPath(full);
}

bool Exists(const std::string& path) {
  if (GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES) {
    return true;
  }
  TakeLastError();
  return false;
}

// Six letters and digits that differ from one call to the next and between
// processes.
std::string RandomPart() {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937_64 generator(std::random_device{}() ^ GetCurrentProcessId() ^
                                   GetTickCount64());
  std::string part;
  for (std::size_t i = 0; i < kTemporaryRandomLength; ++i) {
    part += kLetters[generator() % (sizeof kLetters - 1)];
  }
  return part;
}

// Names differ only in case for the system: the hash in a temporary name is of the
// name in lower case, so that every spelling of one model finds its files.
std::string LowerCase(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return name;
}

// The start of the temporary names of saves of `target`, in its folder.
std::string TemporaryStem(const std::string& target) {
  const std::string folder = FolderOf(target);
  return folder + (folder.back() == '\\' ? "" : "\\") +
         TemporaryNamePrefix(LowerCase(BaseNameOf(target)));
}

// A name of that form that no file has, for the file a checked replace takes out.
std::string FreeTemporaryName(const std::string& target) {
  const std::string stem = TemporaryStem(target);
  for (int attempt = 0; attempt < kMostTries; ++attempt) {
    std::string name = stem + RandomPart();
    if (!Exists(name)) {
      return name;
    }
  }
  return stem + RandomPart();
}

}  // namespace

AtomicFile::AtomicFile(const std::string& target, std::string displayName, bool mayBeNew)
    : displayName_(std::move(displayName)) {
  target_ = FullPath(target);
  if (target_.empty()) {
    Fail("cannot find the file to replace", errno);
  }
  if (!Exists(target_)) {
    if (errno != ENOENT || !mayBeNew || BaseNameOf(target).empty()) {
      Fail("cannot find the file to replace", errno);
    }
    if (!Exists(FolderOf(target_))) {
      Fail("cannot find the folder " + FolderOf(target), errno);
    }
    newFile_ = true;
  }
  const std::string folder = FolderOf(target_);
  const std::string stem = TemporaryStem(target_);
  DWORD error = ERROR_FILE_EXISTS;
  for (int attempt = 0; attempt < kMostTries && error == ERROR_FILE_EXISTS; ++attempt) {
    const std::string name = stem + RandomPart();
    HeldSignals held;
    // Shared for deleting too, so that a console event can remove it while it is open.
    const HANDLE file = CreateFileW(WidePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      error = GetLastError();
      continue;
    }
    fd_ = DescriptorOwning(file, _O_RDWR);
    if (fd_ < 0) {
      const int lost = errno;
      DeleteFileW(WidePath(name).c_str());
      Fail("cannot create a temporary file in " + folder, lost);
    }
    temporaryPath_ = name;
    signals_.Track(temporaryPath_);
    error = ERROR_SUCCESS;
  }
  if (fd_ < 0) {
    SetLastError(error);
    TakeLastError();
    Fail("cannot create a temporary file in " + folder, errno);
  }
}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) {
    _close(fd_);
  }
  if (!done_ && !temporaryPath_.empty()) {
    HeldSignals held;
    DeleteFileW(WidePath(temporaryPath_).c_str());
    signals_.Forget();
  }
}

void AtomicFile::Write(const void* data, std::size_t size) {
  const char* next = static_cast<const char*>(data);
  while (size > 0) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(HandleOf(fd_), next, piece, &written, nullptr)) {
      TakeLastError();
      Fail("cannot write " + temporaryPath_, errno);
    }
    if (written == 0) {
      Fail("cannot write " + temporaryPath_, ENOSPC);
    }
    next += written;
    size -= written;
  }
}

std::string AtomicFile::TakeAttributesOf(int /*original*/) {
  // ReplaceFileW gives the new file the old one's attributes and access list.
  return "";
}

void AtomicFile::SetPermissions(const FileStatus* /*replaced*/) {
  // A replaced file's access list is kept by ReplaceFileW; a new one gets its
  // folder's, as every new file there.
}

void AtomicFile::Flush() {
  if (!FlushFileBuffers(HandleOf(fd_))) {
    TakeLastError();
    Fail("cannot flush " + temporaryPath_ + " to the disk", errno);
  }
}

FileStatus AtomicFile::Commit() {
  FileStatus status;
  CommitChecked(ReplacedCheck(), status);
  return status;
}

std::string AtomicFile::CommitChecked(const ReplacedCheck& check, FileStatus& status) {
  // The new file is closed while it is put in place, so that the system may rename
  // it whatever sharing its replacing step asks for, and opened again after.
  _close(fd_);
  fd_ = -1;
  {
    HeldSignals held;
    const std::wstring from = WidePath(temporaryPath_);
    const std::wstring to = WidePath(target_);
    // A checked replace keeps the old file under a backup name, to check it there.
    const std::string backup = check && !newFile_ ? FreeTemporaryName(target_) : std::string();
    const std::wstring backupWide = backup.empty() ? std::wstring() : WidePath(backup);
    if (newFile_) {
      const int error = MoveToNewName(temporaryPath_, target_);
      if (error != 0) {
        Fail("cannot give " + temporaryPath_ + " the name " + target_, error);
      }
    } else if (!ReplaceFileW(to.c_str(), from.c_str(),
                             backup.empty() ? nullptr : backupWide.c_str(),
                             REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
      const DWORD error = GetLastError();
      if ((error == ERROR_UNABLE_TO_MOVE_REPLACEMENT ||
           error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) &&
          !Exists(target_)) {
        // The old file was moved away (to the backup name, when there is one) and
        // the new one still has its temporary name.
        if (!backup.empty() && Exists(backup)) {
          std::string refusal = CheckReplaced(check, backup);
          if (!refusal.empty()) {
            if (MoveToNewName(backup, target_) == 0) {
              return refusal;
            }
          } else {
            DeleteFileW(backupWide.c_str());
          }
        }
        FinishHalfwayReplace();
      } else {
        SetLastError(error);
        TakeLastError();
        Fail("cannot put " + temporaryPath_ + " in the place of " + target_, errno);
      }
    } else if (!backup.empty()) {
      std::string refusal = CheckReplaced(check, backup);
      if (refusal.empty()) {
        DeleteFileW(backupWide.c_str());  // should it stay, the next edit names it
      } else {
        // Moved back one at a time: a replacing step would have to open the old file
        // alone, which the model's document still holds open.
        int lost = MoveToNewName(target_, temporaryPath_);
        if (lost == 0) {
          lost = MoveToNewName(backup, target_);
          if (lost == 0) {
            return refusal;  // the old file has its name back, the new one its own
          }
          MoveToNewName(temporaryPath_, target_);
        }
        // The new file stays in place, and what another program had put there is
        // kept beside it.
        done_ = true;
        signals_.Forget();
        std::string kept = backup;
        try {
          kept = KeepFileBeside(target_, backup);
        } catch (const Ms3dError&) {
        }
        throw Ms3dError(displayName_ + ": saved, but " + refusal +
                        ", and that file could not be given its name back (" + std::strerror(lost) +
                        "); it is kept in " + kept);
      }
    }
    done_ = true;
    signals_.Forget();
  }
  // The new file is in place whatever happens here, so a failure to open it again
  // is not reported as a failed save: the caller finds no descriptor.
  const HANDLE file = CreateFileW(WidePath(target_).c_str(), GENERIC_READ, kShareAll, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    fd_ = DescriptorOwning(file, _O_RDONLY);
    if (fd_ >= 0) {
      StatusOf(fd_, status);
    }
  }
  return "";
}

std::string AtomicFile::CheckReplaced(const ReplacedCheck& check, const std::string& replaced) {
  const HANDLE file = CreateFileW(WidePath(replaced).c_str(), GENERIC_READ, kShareAll, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    TakeLastError();
    return std::string("what lay at its place cannot be opened to check it (") +
           std::strerror(errno) + ")";
  }
  const int fd = DescriptorOwning(file, _O_RDONLY);
  if (fd < 0) {
    return std::string("what lay at its place cannot be opened to check it (") +
           std::strerror(errno) + ")";
  }
  std::string refusal = CheckedSafely(check, fd);
  _close(fd);
  return refusal;
}

void AtomicFile::FinishHalfwayReplace() {
  // Without a backup name, this failure of ReplaceFileW means that the old file is
  // removed and the new one still has its temporary name: the only copy of the
  // model now, never to be removed.
  done_ = true;
  signals_.Forget();
  const std::string at = PutInPlaceOfRemoved(target_, temporaryPath_);
  if (at != target_) {
    throw Ms3dError(displayName_ +
                    ": not saved under its name: the system removed the old file "
                    "while replacing it and could not give the new one its name; the saved "
                    "model is " +
                    at);
  }
}

std::string AtomicFile::KeepBeside() {
  if (fd_ >= 0) {
    _close(fd_);
    fd_ = -1;
  }
  HeldSignals held;
  std::string kept = KeepFileBeside(target_, temporaryPath_);
  done_ = true;
  signals_.Forget();
  return kept;
}

std::vector<std::string> AtomicFile::LeftOverTemporaryFiles(const std::string& target) {
  std::string full;
  try {
    full = FullPath(target);
    if (full.empty() || !Exists(full)) {
      return {};
    }
  } catch (const Ms3dError&) {
    return {};
  }
  const std::string folder = FolderOf(full);
  const std::string separator = folder.back() == '\\' ? "" : "\\";
  const std::string base = BaseNameOf(full);
  std::vector<std::string> found;
  WIN32_FIND_DATAW entry{};
  const HANDLE listing = FindFirstFileW(WidePath(folder + separator + ".*").c_str(), &entry);
  if (listing == INVALID_HANDLE_VALUE) {
    return found;
  }
  do {
    const std::string name = NarrowPath(entry.cFileName);
    if (IsTemporaryNameOf(LowerCase(name), LowerCase(base))) {
      found.push_back(folder + separator + name);
    }
  } while (FindNextFileW(listing, &entry));
  FindClose(listing);
  std::sort(found.begin(), found.end());
  return found;
}

void AtomicFile::Fail(const std::string& step, int error) const {
  throw Ms3dError(displayName_ + ": not saved: " + step + ": " + std::strerror(error));
}

}  // namespace quorvel::host
