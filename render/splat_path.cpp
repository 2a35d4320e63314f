// Projection, accumulation and the clamp of additive blending, in integers:
// each point adds the driver's own 8-bit steps, so only the sub-pixel phase
// is approximated.
#include "render/splat_path.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "render/draw_frame.h"

namespace {

float currentPointSize() {
  GLfloat size = 0.0f;
  glGetFloatv(GL_POINT_SIZE, &size);
  return size;
}

}  // namespace

SplatPath::SplatPath() {
  kernel_ = measureSplatKernel(currentPointSize());
  resizeToViewport();
}

void SplatPath::resizeToViewport() {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  width_ = std::max(viewport[2], 0), height_ = std::max(viewport[3], 0);
  margin_ = 1 + std::max({-kernel_.left, -kernel_.bottom, kernel_.left + kernel_.width, kernel_.bottom + kernel_.height});
  stride_ = (width_ + 2 * margin_) * 3;
  sums_.assign(static_cast<size_t>(stride_) * (height_ + 2 * margin_), 0);
  image_.assign(static_cast<size_t>(width_) * height_, 0);
}

bool SplatPath::matchesRenderState(const WindowTransform& t) const {
  return kernel_.measured() && kernel_.pointSize == currentPointSize() && t.width == width_ && t.height == height_;
}

void SplatPath::drawScene(const ViewState& view, const GalaxyCloud& galaxy) {
  if (kernel_.pointSize != currentPointSize() || !kernel_.measured()) {
    kernel_ = measureSplatKernel(currentPointSize());
    resizeToViewport();
  }
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  loadCamera(view);
  const WindowTransform t = currentWindowTransform();
  // A window too small to measure the point in, or a viewport the buffers
  // were not sized for, is drawn by the driver.
  if (!matchesRenderState(t)) return ::drawScene(view, galaxy);
  splat(t, galaxy.points, 0, galaxy.count, sums_.data());
  resolve(0, height_);
  glLoadIdentity();
  present();
}

// The driver's steps: clip by the point's centre, divide, map to the
// viewport, snap to 1/256 pixel; the snapped position's pixel and phase pick
// where and which measured block is added.
void SplatPath::splat(const WindowTransform& t, const double* points, int begin, int end, uint32_t* sums) const {
  const float* m = t.clip;
  const float halfWidth = 0.5f * static_cast<float>(t.width), halfHeight = 0.5f * static_cast<float>(t.height);
  const int rowValues = kernel_.width * 3;
  constexpr int kPhaseShift = 8 - SplatKernel::kPhaseBits;  // of 256 steps a pixel
  for (int k = begin; k < end; k += 3) {
    const float x = static_cast<float>(points[k + 2]), y = static_cast<float>(points[k + 1]),
                z = static_cast<float>(points[k]);
    const float cx = m[0] * x + m[4] * y + m[8] * z + m[12];
    const float cy = m[1] * x + m[5] * y + m[9] * z + m[13];
    const float cz = m[2] * x + m[6] * y + m[10] * z + m[14];
    const float cw = m[3] * x + m[7] * y + m[11] * z + m[15];
    if (!(std::fabs(cx) <= cw && std::fabs(cy) <= cw && std::fabs(cz) <= cw)) continue;
    const int fx = static_cast<int>((cx / cw * halfWidth + halfWidth) * 256.0f);
    const int fy = static_cast<int>((cy / cw * halfHeight + halfHeight) * 256.0f);
    const uint8_t* block = kernel_.block((fx >> kPhaseShift) & (SplatKernel::kPhases - 1), (fy >> kPhaseShift) & (SplatKernel::kPhases - 1));
    uint32_t* row = sums + static_cast<size_t>((fy >> 8) + kernel_.bottom + margin_) * stride_ +
                    ((fx >> 8) + kernel_.left + margin_) * 3;
    for (int r = 0; r < kernel_.height; ++r, row += stride_, block += rowValues)
      for (int i = 0; i < rowValues; ++i) row[i] += block[i];
  }
}

// Additive blending saturates at full intensity; the sums are cleared for
// the next frame, margins included.
void SplatPath::resolve(int firstRow, int endRow) {
  for (int y = firstRow; y < endRow; ++y) {
    const uint32_t* sum = sums_.data() + static_cast<size_t>(y + margin_) * stride_ + margin_ * 3;
    uint32_t* out = image_.data() + static_cast<size_t>(y) * width_;
    for (int x = 0; x < width_; ++x, sum += 3)
      out[x] = std::min(sum[0], 255u) | std::min(sum[1], 255u) << 8 | std::min(sum[2], 255u) << 16 | 0xff000000u;
  }
  const int firstPadded = firstRow == 0 ? 0 : firstRow + margin_;
  const int endPadded = endRow == height_ ? height_ + 2 * margin_ : endRow + margin_;
  std::fill(sums_.begin() + static_cast<ptrdiff_t>(firstPadded) * stride_,
            sums_.begin() + static_cast<ptrdiff_t>(endPadded) * stride_, 0u);
}

// The image replaces the cleared buffer: its alpha of one makes the
// window's additive blending a plain copy.
void SplatPath::present() const {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glRasterPos2f(-1.0f, -1.0f);
  glDrawPixels(width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, image_.data());
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}
