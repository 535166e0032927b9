#include <fcntl.h>
#include <cerrno>

#include "host/file_status.h"
#include "host/windows_system.h"

namespace quorvel::host {
namespace {

std::int64_t Ticks(const FILETIME& time) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime);
}

// Opens `path` for nothing but its status; INVALID_HANDLE_VALUE with errno set.
HANDLE OpenForStatus(const std::string& path) {
  const HANDLE handle =
      CreateFileW(WidePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    TakeLastError();
  }
  return handle;
}

bool StatusOfHandle(HANDLE handle, FileStatus& status) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle, &info)) {
    TakeLastError();
    return false;
  }
  status = FileStatus{};
  status.volume = info.dwVolumeSerialNumber;
  status.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  status.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  status.modified = Ticks(info.ftLastWriteTime);
  status.links = info.nNumberOfLinks;
  status.folder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  status.regular = !status.folder && GetFileType(handle) == FILE_TYPE_DISK;
  status.readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  return true;
}

}  // namespace

bool StatusOf(int fd, FileStatus& status) {
  const HANDLE handle = HandleOf(fd);
  if (handle == INVALID_HANDLE_VALUE) {
    errno = EBADF;
    return false;
  }
  return StatusOfHandle(handle, status);
}

bool StatusOfPath(const std::string& path, FileStatus& status) {
  const HANDLE handle = OpenForStatus(path);
  if (handle == INVALID_HANDLE_VALUE) {
    return false;
  }
  const bool read = StatusOfHandle(handle, status);
  CloseHandle(handle);
  return read;
}

int OpenToInspect(const std::string& path) {
  const HANDLE handle = OpenForStatus(path);
  return handle == INVALID_HANDLE_VALUE ? -1 : DescriptorOwning(handle, _O_RDONLY);
}

bool UserMayWrite(const std::string& path) {
  // Opening for writing asks everything that decides it: the read-only attribute,
  // the file's access list, the medium.
  const HANDLE handle = CreateFileW(WidePath(path).c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    TakeLastError();
    return false;
  }
  CloseHandle(handle);
  return true;
}

}  // namespace quorvel::host
