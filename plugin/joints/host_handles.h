#pragma once

#include "host/ms_model_lib.h"

namespace quorvel {

// Opaque references into the host's model. The plug-in only hands them back to the
// host's functions and never looks inside.
using ModelHandle = msModel*;
using JointHandle = msBone*;

}  // namespace quorvel
