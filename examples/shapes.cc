#include "examples/shapes.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace quorvel::examples {
namespace {

Point Minus(Point a, Point b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Point Cross(Point a, Point b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Dot(Point a, Point b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Adds a shape of `corners` (model space) and faces (three corner indices each) as a
// new group; faces are turned so that they face away from the shape's centre.
void AddShape(ModelFile& model, const std::string& group, int material, std::int8_t joint,
              const std::vector<Point>& corners, const std::vector<std::array<int, 3>>& faces) {
  const auto first = static_cast<std::uint16_t>(model.vertices.size());
  Point centre;
  for (const Point& p : corners) {
    model.vertices.push_back({p.x, p.y, p.z, joint});
    centre = {centre.x + p.x, centre.y + p.y, centre.z + p.z};
  }
  const auto count = static_cast<float>(corners.size());
  centre = {centre.x / count, centre.y / count, centre.z / count};
  Group shape{group, {}, static_cast<std::int8_t>(material), ""};
  const auto groupIndex = static_cast<std::uint8_t>(model.groups.size());
  for (std::array<int, 3> face : faces) {
    const Point a = corners[static_cast<std::size_t>(face[0])];
    Point normal = Cross(Minus(corners[static_cast<std::size_t>(face[1])], a),
                         Minus(corners[static_cast<std::size_t>(face[2])], a));
    if (Dot(normal, Minus(a, centre)) < 0) {
      std::swap(face[1], face[2]);
      normal = {-normal.x, -normal.y, -normal.z};
    }
    const float length = std::sqrt(Dot(normal, normal));
    const Normal n{normal.x / length, normal.y / length, normal.z / length};
    Triangle triangle;
    for (int corner = 0; corner < 3; ++corner) {
      triangle.vertices[corner] = static_cast<std::uint16_t>(first + face[corner]);
      triangle.normals[corner] = n;
    }
    triangle.group = groupIndex;
    shape.triangles.push_back(static_cast<std::uint16_t>(model.triangles.size()));
    model.triangles.push_back(triangle);
  }
  model.groups.push_back(std::move(shape));
}

}  // namespace

void AddBox(ModelFile& model, const std::string& group, int material, std::int8_t joint,
            Point centre, Point size) {
  std::vector<Point> corners;
  for (int i = 0; i < 8; ++i) {
    corners.push_back({centre.x + ((i & 1) != 0 ? 0.5f : -0.5f) * size.x,
                       centre.y + ((i & 2) != 0 ? 0.5f : -0.5f) * size.y,
                       centre.z + ((i & 4) != 0 ? 0.5f : -0.5f) * size.z});
  }
  AddShape(model, group, material, joint, corners,
           {{0, 1, 3},
            {0, 3, 2},
            {4, 5, 7},
            {4, 7, 6},
            {0, 1, 5},
            {0, 5, 4},
            {2, 3, 7},
            {2, 7, 6},
            {0, 2, 6},
            {0, 6, 4},
            {1, 3, 7},
            {1, 7, 5}});
}

void AddWedge(ModelFile& model, const std::string& group, int material, std::int8_t joint,
              Point centre, Point size) {
  const float back = centre.z - 0.5f * size.z;
  AddShape(model, group, material, joint,
           {{centre.x, centre.y, centre.z + 0.5f * size.z},
            {centre.x - 0.5f * size.x, centre.y, back},
            {centre.x, centre.y + 0.5f * size.y, back},
            {centre.x + 0.5f * size.x, centre.y, back},
            {centre.x, centre.y - 0.2f * size.y, back}},
           {{0, 1, 2}, {0, 2, 3}, {0, 3, 4}, {0, 4, 1}, {1, 2, 3}, {1, 3, 4}});
}

void AddRock(ModelFile& model, const std::string& group, int material, std::int8_t joint,
             Point centre, float radius) {
  const float r = radius;
  AddShape(
      model, group, material, joint,
      {{centre.x + 1.1f * r, centre.y + 0.1f * r, centre.z},
       {centre.x - 0.8f * r, centre.y, centre.z + 0.2f * r},
       {centre.x, centre.y + 0.9f * r, centre.z - 0.1f * r},
       {centre.x + 0.2f * r, centre.y - 0.7f * r, centre.z},
       {centre.x, centre.y + 0.1f * r, centre.z + 1.2f * r},
       {centre.x - 0.1f * r, centre.y, centre.z - 0.9f * r}},
      {{0, 2, 4}, {2, 1, 4}, {1, 3, 4}, {3, 0, 4}, {0, 2, 5}, {2, 1, 5}, {1, 3, 5}, {3, 0, 5}});
}

}  // namespace quorvel::examples
