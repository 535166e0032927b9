#pragma once

#include <string>
#include <string_view>

namespace quorvel::host {

// What separates the parts of a path: a slash, and with Windows paths a backslash as
// well; a path may begin with a drive ("C:") only there. Which paths the system has
// is the build's to say (cmake/windows.cmake defines QUORVEL_WINDOWS_PATHS), so
// that this header, used by the library and the programs alike, holds no
// condition on the platform.
#ifndef QUORVEL_WINDOWS_PATHS
#define QUORVEL_WINDOWS_PATHS 0
#endif
inline constexpr bool kPathsHaveDrives = QUORVEL_WINDOWS_PATHS != 0;
inline constexpr const char* kPathSeparators = kPathsHaveDrives ? "/\\" : "/";
// The separator this system writes between a folder and a name in it.
inline constexpr char kPreferredSeparator = kPathsHaveDrives ? '\\' : '/';

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
      !folder.empty() && std::string_view(kPathSeparators).find(folder.back()) != std::string::npos;
  return ends ? folder + name : folder + kPreferredSeparator + name;
}

inline std::string BaseNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of(kPathSeparators);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace quorvel::host
