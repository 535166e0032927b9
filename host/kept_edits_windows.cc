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

}  // namespace quorvel::host
