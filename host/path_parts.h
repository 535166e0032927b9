#pragma once

#include <string>

namespace quorvel::host {

// What separates the parts of a path: a slash, and on Windows a backslash as well.
// A path may begin with a drive ("C:") only on Windows.
#ifdef _WIN32
inline constexpr char kPathSeparators[] = "/\\";
inline constexpr bool kPathsHaveDrives = true;
#else
inline constexpr char kPathSeparators[] = "/";
inline constexpr bool kPathsHaveDrives = false;
#endif

// The folder of `path` ("." for a bare name, "/" for a file at the root, "C:\\" for
// one at the root of a drive) and its last part, by the text alone.
inline std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of(kPathSeparators);
  if (slash == std::string::npos) {
    return ".";
  }
  const bool root = slash == 0 || (kPathsHaveDrives && slash == 2 && path[1] == ':');
  return path.substr(0, root ? slash + 1 : slash);
}

inline std::string BaseNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of(kPathSeparators);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace quorvel::host
