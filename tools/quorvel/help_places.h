#pragma once

#include <string>
#include <string_view>

namespace quorvel::app {

// The places that --help texts and messages name, this system's first: where the
// documents lie for a user of the installed program or of the Windows folder, and
// where in the source tree; where the plug-in is found; what a game folder looks like.

// "docs/check.md (installed as share/doc/quorvel/check.md)" on Linux, "check.md
// beside quorvel.exe (docs/check.md in the source tree)" on Windows.
std::string DocumentPlace(std::string_view name);

// Where the program looks for the plug-in when --plugin does not say.
std::string_view DefaultPlugInPlace();

// A game folder as a user of this system writes it ("/games/zu2", "C:\Games\ZU2"),
// and the folder of sound effects inside it, with the system's separator.
std::string_view GameRootExample();
std::string SoundFolderExample();

}  // namespace quorvel::app
