// Camera matrices in the order and precision of the fixed-function calls
// they stand for, so a shader path turns exactly as the desktop does.
#include "render/camera.h"

#include <cmath>

namespace {

constexpr double kDegreesToRadians = 3.14159265358979323846 / 180.0;

Matrix4 identity() {
  Matrix4 m{};
  m[0] = m[5] = m[10] = m[15] = 1.0f;
  return m;
}

// A turn about one axis (0 = x, 1 = y, 2 = z), by angle degrees.
Matrix4 turn(int axis, float degrees) {
  const float radians = static_cast<float>(degrees * kDegreesToRadians);
  const float s = std::sin(radians);
  const float c = std::cos(radians);
  const int a = (axis + 1) % 3;  // the two coordinates the turn mixes
  const int b = (axis + 2) % 3;
  Matrix4 m = identity();
  m[a * 4 + a] = c;
  m[b * 4 + b] = c;
  m[a * 4 + b] = s;  // column a, row b
  m[b * 4 + a] = -s;
  return m;
}

}  // namespace

Matrix4 multiply(const Matrix4& a, const Matrix4& b) {
  Matrix4 product{};
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[column * 4 + k];
      product[column * 4 + row] = sum;
    }
  return product;
}

Matrix4 cameraProjection(double aspect) {
  constexpr double kNear = 1.0, kFar = 100.0;
  const double f = 1.0 / std::tan(45.0 * kDegreesToRadians / 2.0);
  Matrix4 m{};
  m[0] = static_cast<float>(f / aspect);
  m[5] = static_cast<float>(f);
  m[10] = static_cast<float>((kFar + kNear) / (kNear - kFar));
  m[11] = -1.0f;
  m[14] = static_cast<float>(2.0 * kFar * kNear / (kNear - kFar));
  return m;
}

Matrix4 cameraModelview(const ViewState& view) {
  Matrix4 m = identity();
  m[14] = view.cameraZ;
  m = multiply(m, turn(0, view.rotX));
  m = multiply(m, turn(1, view.rotY));
  return multiply(m, turn(2, view.rotZ));
}
