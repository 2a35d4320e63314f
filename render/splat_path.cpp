// Projection, accumulation and the clamp of additive blending, in integers:
// each point adds the driver's own 8-bit steps, so only the sub-pixel phase
// is approximated.
#include "render/splat_path.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "render/draw_frame.h"
#include "render/draw_path.h"

namespace {

// Below this, waking the second core costs about what it saves.
constexpr int kPointsWorthSplitting = 50000;

float currentPointSize() {
  GLfloat size = 0.0f;
  glGetFloatv(GL_POINT_SIZE, &size);
  return size;
}

}  // namespace

SplatPath::SplatPath() : side_(SideThread::startIfUseful()) {
  kernel_ = measureSplatKernel(currentPointSize());
  resizeToViewport();
}

SplatPath::~SplatPath() = default;

void SplatPath::resizeToViewport() {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  width_ = std::max(viewport[2], 0), height_ = std::max(viewport[3], 0);
  margin_ = 1 + std::max({-kernel_.left, -kernel_.bottom, kernel_.left + kernel_.width, kernel_.bottom + kernel_.height});
  stride_ = (width_ + 2 * margin_) * 3;
  sums_.assign(static_cast<size_t>(stride_) * (height_ + 2 * margin_), 0);
  if (side_) sideSums_.assign(sums_.size(), 0);
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
  if (!matchesRenderState(t)) return drawDriverPoints(view, galaxy);
  const PixelBox box = litBox(splatAll(t, galaxy));
  if (box.x0 >= box.x1 || box.y0 >= box.y1) return;
  resolve(box);
  glLoadIdentity();
  present(box);
}

PixelBox SplatPath::splatAll(const WindowTransform& t, const GalaxyCloud& galaxy) {
  split_ = side_ && galaxy.count >= 3 * kPointsWorthSplitting;
  if (!split_) return splat(t, galaxy.points, 0, galaxy.count, sums_.data());
  share_ = {this, &t, galaxy.points, galaxy.count / 6 * 3, galaxy.count, {}};
  side_->start(
      [](void* context) {
        SideShare& s = *static_cast<SideShare*>(context);
        s.box = s.path->splat(*s.transform, s.points, s.begin, s.end, s.path->sideSums_.data());
      },
      &share_);
  const PixelBox mine = splat(t, galaxy.points, 0, share_.begin, sums_.data());
  side_->wait();
  const PixelBox& side = share_.box;
  return {std::min(mine.x0, side.x0), std::min(mine.y0, side.y0), std::max(mine.x1, side.x1), std::max(mine.y1, side.y1)};
}

// The pixels the points' blocks reach, within the viewport: only they are
// resolved, cleared and shown, as the galaxy often covers a small part.
PixelBox SplatPath::litBox(const PixelBox& p) const {
  return {std::max(p.x0 + kernel_.left, 0), std::max(p.y0 + kernel_.bottom, 0),
          std::min(p.x1 + kernel_.left + kernel_.width, width_), std::min(p.y1 + kernel_.bottom + kernel_.height, height_)};
}

// The driver's steps: clip by the point's centre, divide, map to the
// viewport, snap to 1/256 pixel; the snapped position's pixel and phase pick
// where and which measured block is added.
PixelBox SplatPath::splat(const WindowTransform& t, const double* points, int begin, int end, uint32_t* sums) const {
  PixelBox box{width_, height_, 0, 0};
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
    if (!(cw > 0.0f && std::fabs(cx) <= cw && std::fabs(cy) <= cw && std::fabs(cz) <= cw)) continue;
    const int fx = static_cast<int>((cx / cw * halfWidth + halfWidth) * 256.0f);
    const int fy = static_cast<int>((cy / cw * halfHeight + halfHeight) * 256.0f);
    const int px = fx >> 8, py = fy >> 8;
    box = {std::min(box.x0, px), std::min(box.y0, py), std::max(box.x1, px + 1), std::max(box.y1, py + 1)};
    const uint8_t* block = kernel_.block((fx >> kPhaseShift) & (SplatKernel::kPhases - 1), (fy >> kPhaseShift) & (SplatKernel::kPhases - 1));
    uint32_t* row = sums + static_cast<size_t>(py + kernel_.bottom + margin_) * stride_ + (px + kernel_.left + margin_) * 3;
    for (int r = 0; r < kernel_.height; ++r, row += stride_, block += rowValues)
      for (int i = 0; i < rowValues; ++i) row[i] += block[i];
  }
  return box;
}

// Additive blending saturates at full intensity. The sums are cleared for
// the next frame as they are read; blocks that spilled past the viewport's
// edge are cleared with the margins.
void SplatPath::resolve(const PixelBox& box) {
  if (split_) {
    share_ = {this, nullptr, nullptr, (box.y0 + box.y1) / 2, box.y1, box};
    side_->start(
        [](void* context) {
          SideShare& s = *static_cast<SideShare*>(context);
          s.path->resolveRows(s.box, s.begin, s.end);
        },
        &share_);
    resolveRows(box, box.y0, share_.begin);
    side_->wait();
  } else {
    resolveRows(box, box.y0, box.y1);
  }
  if (box.x0 == 0 || box.y0 == 0 || box.x1 == width_ || box.y1 == height_) {
    std::fill(sums_.begin(), sums_.end(), 0u);
    if (split_) std::fill(sideSums_.begin(), sideSums_.end(), 0u);
  }
}

void SplatPath::resolveRows(const PixelBox& box, int y0, int y1) {
  const size_t start = static_cast<size_t>(box.x0 + margin_) * 3;
  for (int y = y0; y < y1; ++y) {
    const size_t row = static_cast<size_t>(y + margin_) * stride_ + start;
    uint32_t* sum = sums_.data() + row;
    uint32_t* side = split_ ? sideSums_.data() + row : nullptr;
    uint32_t* out = image_.data() + static_cast<size_t>(y) * width_;
    for (int x = box.x0; x < box.x1; ++x, sum += 3) {
      if (side) {
        for (int c = 0; c < 3; ++c) sum[c] += side[c], side[c] = 0;
        side += 3;
      }
      out[x] = std::min(sum[0], 255u) | std::min(sum[1], 255u) << 8 | std::min(sum[2], 255u) << 16 | 0xff000000u;
      sum[0] = sum[1] = sum[2] = 0;
    }
  }
}

// The box of the image replaces the cleared buffer: its alpha of one makes
// the window's additive blending a plain copy. The raster position starts at
// the viewport's corner and is moved by whole pixels with an empty bitmap.
void SplatPath::present(const PixelBox& box) const {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glRasterPos2f(-1.0f, -1.0f);
  glBitmap(0, 0, 0.0f, 0.0f, static_cast<float>(box.x0), static_cast<float>(box.y0), nullptr);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, width_);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, box.x0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, box.y0);
  glDrawPixels(box.x1 - box.x0, box.y1 - box.y0, GL_RGBA, GL_UNSIGNED_BYTE, image_.data());
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}
