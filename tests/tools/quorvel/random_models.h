#pragma once

#include <random>
#include <string>

#include "examples/ms3d_writer.h"

namespace quorvel::testing {

// A model file of eight joints made at random (RandomName, marked or not), every
// other joint's comment as a record writes it (InOrderComment), the rest RandomComment;
// the model's own comment is `modelComment`.
examples::ModelFile RandomModelFile(std::mt19937& random, std::string modelComment);

}  // namespace quorvel::testing
