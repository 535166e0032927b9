#include <windows.h>

#include <string>

#include "tools/quorvel/save_obstacle.h"

namespace quorvel::app {

std::optional<std::string> SaveObstacle(const std::string& path, bool allowReadOnly) {
  const HANDLE file =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return std::nullopt;  // opening the model says what is wrong
  }
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = GetFileInformationByHandle(file, &info) != 0;
  CloseHandle(file);
  if (!known) {
    return std::nullopt;
  }
  // Paths are taken as they are, without the prefix for long ones.
  char full[MAX_PATH];
  char* name = nullptr;
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, &name);
  if (length > 0 && length < MAX_PATH && name != nullptr && name > full) {
    const std::string folder(full, static_cast<std::size_t>(name - full - 1));
    // Every file system Windows writes today (NTFS, exFAT, FAT32 with long names, ReFS)
    // takes names of 255 characters. Asking the volume would read its label too, which
    // Wine cannot do for a drive mapped to the root folder and says so on the console.
    const DWORD longestName = 255;
    if (std::optional<std::string> tooLong = TemporaryFileObstacle(folder, longestName, MAX_PATH)) {
      return tooLong;
    }
  }
  if (info.nNumberOfLinks > 1) {
    return "it has " + std::to_string(info.nNumberOfLinks) +
           " names (hard links), and a save would leave the old content under the others";
  }
  // The read-only attribute stops every replacing of the file, for every user.
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return std::string("it is read-only (its read-only attribute is set)") +
           (allowReadOnly ? ", which no user can save over" : "");
  }
  const HANDLE writable = CreateFileA(path.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (writable == INVALID_HANDLE_VALUE) {
    return "the file cannot be written (Windows error " + std::to_string(GetLastError()) + ")";
  }
  CloseHandle(writable);
  return std::nullopt;
}

}  // namespace quorvel::app
