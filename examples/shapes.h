// Simple closed shapes for the example model: each is added to a model as a group of
// its own, with flat faces whose normals point outwards, bound wholly to one joint.
#pragma once

#include <cstdint>
#include <string>

#include "examples/ms3d_writer.h"

namespace quorvel::examples {

struct Point {
  float x = 0;
  float y = 0;
  float z = 0;
};

// A box of `size` centred on `centre` (model space), its faces outwards.
void AddBox(ModelFile& model, const std::string& group, int material, std::int8_t joint,
            Point centre, Point size);

// A dart pointing along +z: a nose and a four-cornered back, `size` wide, high and long.
void AddWedge(ModelFile& model, const std::string& group, int material, std::int8_t joint,
              Point centre, Point size);

// A rough rock: an octahedron whose six tips lie `radius` times their own factor away.
void AddRock(ModelFile& model, const std::string& group, int material, std::int8_t joint,
             Point centre, float radius);

}  // namespace quorvel::examples
