// The sequence a model holds, read for the preview as the editing session reads it:
// the model's record (frame rate and events) and each joint's follower or camera
// record.
#pragma once

#include "tools/check/model_facts.h"
#include "tools/nis/nis_state.h"

namespace quorvel::nis {

// The model's frame rate as its record reads (24 when missing, 0 when unreadable),
// its events in frame order, and every joint in model order: its role from its kind
// (a camera, a follower, or a joint the session skips, which keeps no events), a
// camera's centre of interest, and the events of its record. Texts that are no event
// (fewer than two "|") are left out. `lastFrame` is the animation's last frame or the
// last event's, whichever is later: the end of the timeline's axis.
SequenceInput ReadSequenceInput(const check::ModelFacts& model);

}  // namespace quorvel::nis
