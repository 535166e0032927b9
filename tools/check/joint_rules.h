#pragma once

#include "tools/check/model_facts.h"
#include "tools/check/problem.h"

namespace quorvel::check {

// The rules for one joint's name and the fields of its record (not its events):
// duplicate and over-long names, records on joints that never get a page, a
// camera's "Center Of Interest", a follower's "Sob Type".
void CheckJoint(const JointFacts& joint, const ModelFacts& model, ProblemSink& problems);

}  // namespace quorvel::check
