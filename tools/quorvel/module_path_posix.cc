#include "tools/quorvel/module_path.h"

#include <filesystem>

namespace quorvel::app {

std::string ModuleBesideProgram(const std::string& fileName) {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    return fileName;
  }
  std::filesystem::path folder = program.parent_path();
  std::filesystem::path beside = folder.parent_path() / "lib" / fileName;
  if (std::filesystem::exists(beside, error)) {
    return beside.string();
  }
  return (folder / fileName).string();
}

}  // namespace quorvel::app
