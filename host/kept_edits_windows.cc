#include <algorithm>
#include <cerrno>

#include "host/kept_edits.h"
#include "host/ms3d_error.h"
#include "host/windows_system.h"

namespace quorvel::host {
namespace {

// The errno value of the system's last error.
int LastError() {
  TakeLastError();
  return errno;
}

}  // namespace

int MoveToNewName(const std::string& from, const std::string& to) {
  try {
    // Without MOVEFILE_REPLACE_EXISTING the move fails on an existing name; on one
    // volume it is a rename.
    if (!MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), MOVEFILE_WRITE_THROUGH)) {
      return LastError();
    }
  } catch (const Ms3dError&) {
    return EINVAL;
  }
  return 0;
}

int WriteNewFile(const std::string& path, const std::string& text, std::uint32_t /*permissions*/) {
  // A new file takes the access list of its folder, as every new file there.
  std::wstring wide;
  try {
    wide = WidePath(path);
  } catch (const Ms3dError&) {
    return EINVAL;
  }
  const HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return LastError();
  }
  const char* next = text.data();
  std::size_t left = text.size();
  int error = 0;
  while (left > 0 && error == 0) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(left, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, next, piece, &written, nullptr)) {
      error = LastError();
    } else if (written == 0) {
      error = ENOSPC;
    }
    next += written;
    left -= written;
  }
  if (error == 0 && !FlushFileBuffers(file)) {
    error = LastError();
  }
  CloseHandle(file);
  if (error != 0) {
    DeleteFileW(wide.c_str());
    return error == EEXIST ? EIO : error;
  }
  return 0;
}

}  // namespace quorvel::host
