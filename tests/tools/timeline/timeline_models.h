#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/model.h"
#include "tools/check/model_check.h"
#include "tools/timeline/sequence.h"

namespace quorvel::testing {

// Models made for the layout rules.

// `count` events spread over a few rows, many of them sharing frames, on a model of
// `lastFrame` frames; `seed` varies the frames.
host::Model CrowdedModel(int count, std::uint32_t lastFrame, std::uint32_t seed);

// A short animation with events far past its end.
host::Model FarPastEndModel();

// The sequence of a model held in memory, with the problems the checker finds.
timeline::Sequence SequenceOf(const host::Model& model, const timeline::RowChoice& choice = {});

}  // namespace quorvel::testing
