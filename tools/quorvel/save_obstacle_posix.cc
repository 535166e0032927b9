#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/path_parts.h"
#include "tools/quorvel/save_obstacle.h"

namespace quorvel::app {

std::optional<std::string> SaveObstacle(const std::string& path, bool allowReadOnly) {
  // A symbolic link is saved through: what matters is the file it names and that
  // file's folder.
  char resolved[PATH_MAX];
  const std::string file = realpath(path.c_str(), resolved) != nullptr ? resolved : path;
  if (access(file.c_str(), W_OK) != 0) {
    return "the file cannot be written (" + std::string(std::strerror(errno)) + ")";
  }
  const std::string folder = host::FolderOf(file);
  if (access(folder.c_str(), W_OK | X_OK) != 0) {
    return "no new file can be made in its folder " + folder + " (" + std::strerror(errno) + ")";
  }
  const long longestName = pathconf(folder.c_str(), _PC_NAME_MAX);
  if (std::optional<std::string> tooLong = TemporaryFileObstacle(
          folder, longestName > 0 ? static_cast<std::size_t>(longestName) : NAME_MAX, PATH_MAX)) {
    return tooLong;
  }
  struct stat status {};
  if (stat(file.c_str(), &status) != 0) {
    return std::nullopt;
  }
  if (status.st_nlink > 1) {
    return "it has " + std::to_string(status.st_nlink) +
           " names (hard links), and a save would leave the old content under the others";
  }
  if ((status.st_mode & 0222) == 0 && !allowReadOnly) {
    return "it is read-only (nobody has write permission)";
  }
  if (geteuid() != 0 && status.st_uid != geteuid()) {
    return "it belongs to another user, and a save would give it a new owner";
  }
  return std::nullopt;
}

}  // namespace quorvel::app
