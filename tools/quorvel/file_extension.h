// Whether an output path names a kind of file by its extension, as the commands that
// write pictures decide what to write.
#pragma once

#include <string_view>

namespace quorvel::app {

// Whether `path` ends in `extension` (given in lower case), in any letter case:
// "Fleet.PNG" ends in ".png".
inline bool HasExtension(std::string_view path, std::string_view extension) {
  if (path.size() < extension.size()) {
    return false;
  }
  const std::string_view end = path.substr(path.size() - extension.size());
  for (std::size_t i = 0; i < extension.size(); ++i) {
    char c = end[i];
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
    if (c != extension[i]) {
      return false;
    }
  }
  return true;
}

}  // namespace quorvel::app
