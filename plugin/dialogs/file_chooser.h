// The file chooser as event values use it: the system's open-file dialog, asked with
// the request the game's tools have always made ("Open", all files, 260-character
// buffers).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel::ui {

// Size of the chooser's folder and file buffers, the terminating NUL included.
inline constexpr std::size_t kPathBufferSize = 260;

// Opens the chooser in initialFolder and returns the chosen file's full path, or
// nullopt when the user cancelled (or the chooser failed). A folder that does not fit
// the buffer is not passed: the chooser then starts in its own default folder, as it
// does for an empty one.
std::optional<std::string> ChooseOpenFile(std::string_view initialFolder);

}  // namespace quorvel::ui
