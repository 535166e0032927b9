// Where the chooser of a file value starts and what of the chosen path is kept.
//
// The game names its files relative to its own folder, with "\" between folders. The
// catalogue's hints are written that way too (e.g. "\data\sound\sfx\"), while a chooser
// here may return paths with "/". Both separators are treated alike wherever a hint
// meets a path.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::ui {

// The environment variable that holds the game's folder.
inline constexpr const char* kGameRootVariable = "ZU2_Root";

// The chooser's initial folder: root followed by hint. The hint takes the root's
// separator ("/" for a root with "/" and no "\", "\" for one with "\" and no "/" or
// with both), or, for a root with neither (a relative one such as "zu2"), the
// system's own ("/" on Linux, "\" on Windows); a separator doubled where the two
// meet is written once. Empty (the chooser's default folder) when root is empty or
// when the folder would not fit the 260-character buffer.
std::string FileChooserFolder(std::string_view root, std::string_view hint);
// The same with `systemSeparator` standing for the system's own.
std::string FileChooserFolder(std::string_view root, std::string_view hint, char systemSeparator);

// The part of the chosen path that a file value keeps: what follows the first
// occurrence of hint (compared byte for byte, except that "\" and "/" match each
// other), written with "\" as separator. A path in which a non-empty hint does not
// occur lies outside the game's folder and is kept in full, exactly as chosen.
std::string CutChosenPath(std::string_view path, std::string_view hint);

}  // namespace quorvel::ui
