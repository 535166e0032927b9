#pragma once

#include "examples/ms3d_writer.h"

namespace quorvel::examples {

// The example model, examples/fleet.ms3d: a root joint, three cameras, three ships,
// other followers (an asteroid, an effect, a salvage pod with no attributes yet) and
// an "IG_" helper. The ships, the rock and the pod are simple shapes in coloured
// materials, each bound to its joint; the ships, the rock, the pod and the cameras
// move through ten seconds of keys. The model, two cameras and two ships carry
// attributes: the sequence cuts to a camera, fades and goes wide screen. Every joint
// but the root and one ship is selected, so `--mark selected` gives a different
// sheet from the default.
ModelFile FleetModel();

}  // namespace quorvel::examples
