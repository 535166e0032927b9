#include "tools/check/game_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "tools/check/comment_lines.h"

namespace quorvel::check {

const std::vector<std::string>& GameFiles::Listing(const std::string& folder) {
  auto found = listings_.find(folder);
  if (found != listings_.end()) {
    return found->second;
  }
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    names.push_back(it->path().filename().string());
  }
  return listings_.emplace(folder, std::move(names)).first->second;
}

std::optional<std::string> GameFiles::Find(std::string_view relative) {
  std::string path = root_;
  std::size_t begin = 0;
  while (begin <= relative.size()) {
    std::size_t end = relative.find_first_of("\\/", begin);
    if (end == std::string_view::npos) {
      end = relative.size();
    }
    const std::string_view part = relative.substr(begin, end - begin);
    begin = end + 1;
    if (part.empty() || part == ".") {
      continue;
    }
    const std::vector<std::string>& names = Listing(path);
    const auto match = std::find_if(names.begin(), names.end(), [part](const std::string& name) {
      return SameIgnoringCase(name, part);
    });
    if (match == names.end()) {
      return std::nullopt;
    }
    path += "/" + *match;
  }
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    return std::nullopt;
  }
  return path;
}

bool IsFullPath(std::string_view path) {
  return (path.size() >= 2 && path[1] == ':') || path.starts_with("\\\\") || path.starts_with("/");
}

}  // namespace quorvel::check
