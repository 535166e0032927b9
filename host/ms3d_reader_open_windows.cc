#include <fcntl.h>
#include <cerrno>
#include <cstring>

#include "host/ms3d_error.h"
#include "host/ms3d_reader.h"
#include "host/windows_system.h"

namespace quorvel::host {

UniqueFd OpenModelFileForReading(const std::string& path, FileStatus& status) {
  // Shared for everything, as on other systems: another program may read and write
  // the file meanwhile, and a save may put a new file in its place while it is open.
  // A folder opens too (for its status), and is refused below.
  const HANDLE handle = CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    TakeLastError();
    throw Ms3dError(path + ": cannot open: " + std::strerror(errno));
  }
  UniqueFd file(DescriptorOwning(handle, _O_RDONLY));
  if (file.get() < 0) {
    throw Ms3dError(path + ": cannot open: " + std::strerror(errno));
  }
  StatusOfModelFile(path, file.get(), status);
  return file;
}

}  // namespace quorvel::host
