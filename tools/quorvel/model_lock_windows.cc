#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <iostream>

#include "tools/quorvel/command_error.h"
#include "tools/quorvel/model_lock.h"

namespace quorvel::app {
namespace {

// The lock covers one byte far beyond the end of any model file: Windows keeps
// other programs from reading locked bytes, and the model's own bytes stay free.
constexpr DWORD kLockedOffsetHigh = 0x7FFFFFFF;

bool Identity(HANDLE file, BY_HANDLE_FILE_INFORMATION& info) {
  return GetFileInformationByHandle(file, &info) != 0;
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

HANDLE OpenShared(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool Lock(HANDLE file, bool wait) {
  OVERLAPPED at{};
  at.OffsetHigh = kLockedOffsetHigh;
  const DWORD flags = LOCKFILE_EXCLUSIVE_LOCK | (wait ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
  return LockFileEx(file, flags, 0, 1, 0, &at) != 0;
}

}  // namespace

std::string LockHolder(int /*fd*/) {
  // Windows does not say who holds a lock.
  return "another process";
}

ModelLock ModelLock::Take(const std::string& path, bool wait) {
  for (;;) {
    const HANDLE file = OpenShared(path);
    if (file == INVALID_HANDLE_VALUE) {
      return ModelLock(host::UniqueFd());
    }
    BY_HANDLE_FILE_INFORMATION locked{};
    if (!Identity(file, locked) || (locked.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        GetFileType(file) != FILE_TYPE_DISK) {
      CloseHandle(file);
      return ModelLock(host::UniqueFd());
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY);
    if (fd < 0) {
      CloseHandle(file);
      return ModelLock(host::UniqueFd());
    }
    host::UniqueFd held(fd);
    if (!Lock(file, false)) {
      if (GetLastError() != ERROR_LOCK_VIOLATION && GetLastError() != ERROR_IO_PENDING) {
        std::cerr << path
                  << ": warning: the file cannot be locked here; another quorvel edit of it is "
                     "not held off, but a save still refuses to overwrite its changes\n";
        return ModelLock(host::UniqueFd());
      }
      const std::string holder = LockHolder(fd);
      WaitForHolderOrRefuse(path, holder, wait);
      if (!Lock(file, true)) {
        throw CommandError(kExitFileError, path + ": cannot lock the file for editing");
      }
    }
    // The holder may have saved, putting a new file at the path; then the lock is on
    // the old one, and the new one is locked instead.
    const HANDLE now = OpenShared(path);
    BY_HANDLE_FILE_INFORMATION atPath{};
    const bool same =
        now != INVALID_HANDLE_VALUE && Identity(now, atPath) && SameFile(atPath, locked);
    if (now != INVALID_HANDLE_VALUE) {
      CloseHandle(now);
    }
    if (same) {
      return ModelLock(std::move(held));
    }
  }
}

}  // namespace quorvel::app
