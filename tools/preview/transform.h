// The rotations and rigid transforms the animation is made of: angles as the file
// gives them, quaternions for interpolating them, and 4x4 matrices (pose.h's
// Matrix4, column-major, acting on column vectors).
#pragma once

#include "tools/preview/pose.h"

namespace quorvel::preview {

struct Quaternion {
  float w = 1;
  float x = 0;
  float y = 0;
  float z = 0;
};

// The rotation of angles (x, y, z) in radians: R = Rz(z) · Ry(y) · Rx(x), x applied
// first.
Matrix4 RotationFromAngles(const Vec3& angles);
// The same rotation as a unit quaternion: qz · qy · qx of the half angles.
Quaternion QuaternionFromAngles(const Vec3& angles);
// Spherical interpolation from `a` (t = 0) to `b` (t = 1), with `b` negated when that
// brings it nearer to `a`, so that the shorter way round is taken.
Quaternion Slerp(Quaternion a, Quaternion b, float t);
// The rotation matrix of a unit quaternion, with `translation`.
Matrix4 MatrixFromQuaternion(const Quaternion& q, const Vec3& translation = {});

Matrix4 Multiply(const Matrix4& a, const Matrix4& b);
// The inverse of a rotation with a translation (no scale): the transposed rotation,
// and the translation turned back.
Matrix4 RigidInverse(const Matrix4& a);
Vec3 TransformPoint(const Matrix4& a, const Vec3& v);
// The rotation part alone, for directions and normals.
Vec3 TransformDirection(const Matrix4& a, const Vec3& v);
inline Vec3 Translation(const Matrix4& a) {
  return {a.m[12], a.m[13], a.m[14]};
}

}  // namespace quorvel::preview
