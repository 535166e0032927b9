#pragma once

#include "examples/ms3d_writer.h"

namespace quorvel::examples {

// The example model, examples/fleet.ms3d: a small hull mesh with one material, a
// root joint, two cameras, three ships, other followers (an asteroid, an effect, a
// salvage pod with no attributes yet) and an "IG_" helper. The model, two cameras
// and two ships already carry attributes. Every joint but the root and one ship is
// selected, so `--mark selected` gives a different sheet from the default.
ModelFile FleetModel();

}  // namespace quorvel::examples
