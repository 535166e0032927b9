#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::check {

// The files of the game's folder, found as the game's platform finds them:
// "\" separates folders and letter case does not matter. Folder listings are read
// once and kept, since many events name files in the same few folders.
class GameFiles {
 public:
  explicit GameFiles(std::string root) : root_(std::move(root)) {}

  const std::string& Root() const { return root_; }

  // The file below the root at `relative` ("data\sound\sfx\boom.wav"), as a path
  // of this system; nothing when no such file exists.
  std::optional<std::string> Find(std::string_view relative);

 private:
  const std::vector<std::string>& Listing(const std::string& folder);

  std::string root_;
  std::map<std::string, std::vector<std::string>> listings_;
};

// Whether a file value names a full path ("C:\...", "\\server\...", "/...")
// rather than one below the game folder.
bool IsFullPath(std::string_view path);

}  // namespace quorvel::check
