// The joints of the worked example of an editing session, which several layers'
// tests share: a root, two cameras (one looking at a ship), a ship with one event,
// an in-game helper and an unmarked object.
#pragma once

#include <vector>

namespace quorvel::testing {

inline constexpr char kWorkedExampleCamSide[] = "Center Of Interest=Fighter1\r\nNum Events=0\r\n";
inline constexpr char kWorkedExampleFighter1[] =
    "Sob Type=ship\r\nSob Name=Alpha\r\nNum Events=1\r\nEvent0=A\r\n";

// The six joints as {name, flag word, comment}, in any joint type built that way.
template <class Joint>
std::vector<Joint> WorkedExampleJoints() {
  return {
      {"ZU2_Root", 0, ""},
      {"CAM_Main", 1, ""},
      {"CAM_Side", 1, kWorkedExampleCamSide},
      {"Fighter1", 1, kWorkedExampleFighter1},
      {"IG_Helper", 1, ""},
      {"Rock", 0, ""},
  };
}

}  // namespace quorvel::testing
