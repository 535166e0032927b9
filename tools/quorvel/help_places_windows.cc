#include "tools/quorvel/help_places.h"

namespace quorvel::app {

std::string DocumentPlace(std::string_view name) {
  const std::string file(name);
  return file + " beside quorvel.exe (docs/" + file + " in the source tree)";
}

std::string_view DefaultPlugInPlace() {
  return "quorvel_plugin.dll in the program's folder; on Linux lib/libquorvel_plugin.so "
         "beside the program's folder";
}

std::string_view GameRootExample() {
  return "C:\\Games\\ZU2";
}

std::string SoundFolderExample() {
  return std::string(GameRootExample()) + "\\data\\sound\\sfx\\";
}

}  // namespace quorvel::app
