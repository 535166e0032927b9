#include "host/windows_system.h"

#include <fcntl.h>
#include <io.h>
#include <cerrno>

#include "host/ms3d_error.h"

namespace quorvel::host {
namespace {

int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME:
      return ENOENT;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_PRIVILEGE_NOT_HELD:
      return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EBUSY;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return ENOMEM;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_PARAMETER:
      return EINVAL;
    default:
      return EIO;
  }
}

}  // namespace

std::wstring WidePath(const std::string& path) {
  if (path.empty()) {
    return {};
  }
  const int size = static_cast<int>(path.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, path.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  if (length == 0 || MultiByteToWideChar(CP_ACP, 0, path.data(), size, wide.data(), length) == 0) {
    throw Ms3dError(path + ": the name cannot be read in this system's code page");
  }
  return wide;
}

std::string NarrowPath(const std::wstring& path) {
  if (path.empty()) {
    return {};
  }
  const int size = static_cast<int>(path.size());
  const int length =
      WideCharToMultiByte(CP_ACP, 0, path.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(length), '\0');
  if (length == 0 || WideCharToMultiByte(CP_ACP, 0, path.data(), size, narrow.data(), length,
                                         nullptr, nullptr) == 0) {
    throw Ms3dError("a file name cannot be written in this system's code page");
  }
  return narrow;
}

void TakeLastError() {
  errno = ErrnoOf(GetLastError());
}

HANDLE HandleOf(int fd) {
  return reinterpret_cast<HANDLE>(_get_osfhandle(fd));
}

int DescriptorOwning(HANDLE handle, int flags) {
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), flags | _O_BINARY);
  if (fd < 0) {
    CloseHandle(handle);
    errno = EMFILE;
  }
  return fd;
}

}  // namespace quorvel::host
