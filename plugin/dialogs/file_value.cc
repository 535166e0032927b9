#include "plugin/dialogs/file_value.h"

#include <algorithm>
#include <filesystem>

#include "plugin/dialogs/file_chooser.h"

namespace quorvel::ui {
namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool SameCharacter(char a, char b) {
  return a == b || (IsSeparator(a) && IsSeparator(b));
}

}  // namespace

std::string FileChooserFolder(std::string_view root, std::string_view hint) {
  return FileChooserFolder(root, hint,
                           static_cast<char>(std::filesystem::path::preferred_separator));
}

std::string FileChooserFolder(std::string_view root, std::string_view hint, char systemSeparator) {
  if (root.empty())
    return {};
  const bool slash = root.find('/') != std::string_view::npos;
  const bool backslash = root.find('\\') != std::string_view::npos;
  const char separator =
      slash == backslash ? (slash ? '\\' : systemSeparator) : (slash ? '/' : '\\');
  if (!hint.empty() && IsSeparator(hint.front()) && IsSeparator(root.back())) {
    hint.remove_prefix(1);
  }
  std::string folder(root);
  for (char c : hint)
    folder.push_back(IsSeparator(c) ? separator : c);
  if (folder.size() >= kPathBufferSize)
    return {};
  return folder;
}

std::string CutChosenPath(std::string_view path, std::string_view hint) {
  if (hint.empty())
    return std::string(path);
  const auto found = std::search(path.begin(), path.end(), hint.begin(), hint.end(), SameCharacter);
  if (found == path.end())
    return std::string(path);
  std::string kept(found + static_cast<std::ptrdiff_t>(hint.size()), path.end());
  std::replace(kept.begin(), kept.end(), '/', '\\');
  return kept;
}

}  // namespace quorvel::ui
