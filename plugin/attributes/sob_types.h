#pragma once

#include <string_view>

namespace quorvel {

// The follower types the game knows, as a follower record's "Sob Type" names them,
// in the order the Followers page offers them. Deliberately not alphabetical: this
// is the order the user has always seen.
inline constexpr std::string_view kKnownSobTypes[] = {
    "asteroid", "camera", "camera_target", "Effect", "None", "ship", "resource", "salvage",
};

}  // namespace quorvel
