#include "tools/quorvel/help_places.h"

namespace quorvel::app {

std::string DocumentPlace(std::string_view name) {
  const std::string file(name);
  return "docs/" + file + " (installed as share/doc/quorvel/" + file + ")";
}

std::string_view DefaultPlugInPlace() {
  return "lib/libquorvel_plugin.so beside the program's folder; on Windows "
         "quorvel_plugin.dll in the program's folder";
}

std::string_view GameRootExample() {
  return "/games/zu2";
}

std::string SoundFolderExample() {
  return std::string(GameRootExample()) + "/data/sound/sfx/";
}

}  // namespace quorvel::app
