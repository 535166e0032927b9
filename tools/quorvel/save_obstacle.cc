#include "tools/quorvel/save_obstacle.h"

#include <string>

#include "framework/core/constants.h"
#include "framework/core/message_box.h"
#include "host/temporary_name.h"

namespace quorvel::app {

std::optional<std::string> TemporaryFileObstacle(const std::string& folder, std::size_t longestName,
                                                 std::size_t longestPath) {
  if (longestName < host::kTemporaryNameLength) {
    return "its folder " + folder + " takes names of at most " + std::to_string(longestName) +
           " bytes, and the temporary file a save writes there has a name of " +
           std::to_string(host::kTemporaryNameLength);
  }
  const std::size_t length = folder.size() + 1 + host::kTemporaryNameLength;
  if (length >= longestPath) {
    return "the temporary file a save writes in its folder would have a path of " +
           std::to_string(length) + " bytes, and the system takes paths of fewer than " +
           std::to_string(longestPath);
  }
  return std::nullopt;
}

void WarnIfNotSaveable(const std::string& path, bool allowReadOnly) {
  const std::optional<std::string> obstacle = SaveObstacle(path, allowReadOnly);
  if (!obstacle)
    return;
  ui::MessageBox(nullptr,
                 "WARNING: " + path + " cannot be saved: " + *obstacle +
                     ".\nAny changes made cannot be saved to this file.",
                 "Quorvel", ui::MB_OK | ui::MB_ICONWARNING);
}

}  // namespace quorvel::app
