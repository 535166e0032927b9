#include "app/save_obstacle.h"

#include <string>

#include "ui/framework/constants.h"
#include "ui/framework/message_box.h"

namespace quorvel::app {

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
