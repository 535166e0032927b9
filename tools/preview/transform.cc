#include "tools/preview/transform.h"

#include <cmath>

namespace quorvel::preview {

Matrix4 RotationFromAngles(const Vec3& angles) {
  const float sx = std::sin(angles.x), cx = std::cos(angles.x);
  const float sy = std::sin(angles.y), cy = std::cos(angles.y);
  const float sz = std::sin(angles.z), cz = std::cos(angles.z);
  Matrix4 r;
  // Rz · Ry · Rx, by columns.
  r.m = {cz * cy,
         sz * cy,
         -sy,
         0,
         cz * sy * sx - sz * cx,
         sz * sy * sx + cz * cx,
         cy * sx,
         0,
         cz * sy * cx + sz * sx,
         sz * sy * cx - cz * sx,
         cy * cx,
         0,
         0,
         0,
         0,
         1};
  return r;
}

Quaternion QuaternionFromAngles(const Vec3& angles) {
  const float sx = std::sin(angles.x / 2), cx = std::cos(angles.x / 2);
  const float sy = std::sin(angles.y / 2), cy = std::cos(angles.y / 2);
  const float sz = std::sin(angles.z / 2), cz = std::cos(angles.z / 2);
  // (cz + sz k)(cy + sy j)(cx + sx i)
  return {cz * cy * cx + sz * sy * sx, cz * cy * sx - sz * sy * cx, cz * sy * cx + sz * cy * sx,
          sz * cy * cx - cz * sy * sx};
}

Quaternion Slerp(Quaternion a, Quaternion b, float t) {
  float cosine = a.w * b.w + a.x * b.x + a.y * b.y + a.z * b.z;
  if (cosine < 0) {
    cosine = -cosine;
    b = {-b.w, -b.x, -b.y, -b.z};
  }
  float wa = 1 - t;
  float wb = t;
  // Nearly the same rotation: the angle is too small to divide by; a straight
  // blend is as good and stays finite.
  if (cosine < 0.9999f) {
    const float angle = std::acos(cosine);
    const float sine = std::sin(angle);
    wa = std::sin(wa * angle) / sine;
    wb = std::sin(wb * angle) / sine;
  }
  Quaternion q{wa * a.w + wb * b.w, wa * a.x + wb * b.x, wa * a.y + wb * b.y, wa * a.z + wb * b.z};
  const float length = std::sqrt(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z);
  if (length > 0) {
    q = {q.w / length, q.x / length, q.y / length, q.z / length};
  }
  return q;
}

Matrix4 MatrixFromQuaternion(const Quaternion& q, const Vec3& translation) {
  const float xx = q.x * q.x, yy = q.y * q.y, zz = q.z * q.z;
  const float xy = q.x * q.y, xz = q.x * q.z, yz = q.y * q.z;
  const float wx = q.w * q.x, wy = q.w * q.y, wz = q.w * q.z;
  Matrix4 r;
  r.m = {1 - 2 * (yy + zz), 2 * (xy + wz),     2 * (xz - wy),     0,
         2 * (xy - wz),     1 - 2 * (xx + zz), 2 * (yz + wx),     0,
         2 * (xz + wy),     2 * (yz - wx),     1 - 2 * (xx + yy), 0,
         translation.x,     translation.y,     translation.z,     1};
  return r;
}

Matrix4 Multiply(const Matrix4& a, const Matrix4& b) {
  Matrix4 r;
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) {
        sum += a.m[k * 4 + row] * b.m[column * 4 + k];
      }
      r.m[column * 4 + row] = sum;
    }
  }
  return r;
}

Matrix4 RigidInverse(const Matrix4& a) {
  Matrix4 r;
  for (int column = 0; column < 3; ++column) {
    for (int row = 0; row < 3; ++row) {
      r.m[column * 4 + row] = a.m[row * 4 + column];
    }
  }
  const Vec3 back = TransformDirection(r, Translation(a));
  r.m[12] = -back.x;
  r.m[13] = -back.y;
  r.m[14] = -back.z;
  return r;
}

Vec3 TransformPoint(const Matrix4& a, const Vec3& v) {
  const Vec3 d = TransformDirection(a, v);
  return {d.x + a.m[12], d.y + a.m[13], d.z + a.m[14]};
}

Vec3 TransformDirection(const Matrix4& a, const Vec3& v) {
  return {a.m[0] * v.x + a.m[4] * v.y + a.m[8] * v.z, a.m[1] * v.x + a.m[5] * v.y + a.m[9] * v.z,
          a.m[2] * v.x + a.m[6] * v.y + a.m[10] * v.z};
}

}  // namespace quorvel::preview
