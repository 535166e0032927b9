// Test support: the joints the event dialogs offer to pick, as the Event Editor hands
// them on (ships, cameras, the others).
#pragma once

#include "plugin/attributes/name_list.h"

namespace quorvel::ui {

inline const NameList kShips{"Fighter1", "Fighter2"};
inline const NameList kCameras{"CAM_Main", "CAM_Far"};
inline const NameList kOthers{"Rock"};

}  // namespace quorvel::ui
