#pragma once

#include <string>

namespace quorvel::host {

// What separates the parts of a path: a slash, and on Windows a backslash as well.
// A path may begin with a drive ("C:") only on Windows. (path_parts_posix.cc,
// path_parts_windows.cc)
extern const char kPathSeparators[];
extern const bool kPathsHaveDrives;
// The separator this system writes between a folder and a name in it.
extern const char kPreferredSeparator;

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

// `name` in `folder`, with one separator between them.
inline std::string PathIn(const std::string& folder, const std::string& name) {
  const bool ends =
      !folder.empty() && std::string(kPathSeparators).find(folder.back()) != std::string::npos;
  return ends ? folder + name : folder + kPreferredSeparator + name;
}

inline std::string BaseNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of(kPathSeparators);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace quorvel::host
