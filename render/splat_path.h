// SplatPath: the galaxy drawn for software renderers. Points are projected
// here and the driver's own measured point added into integer buffers, then
// shown as one image: the driver's picture without its cost per point.
#pragma once
#include <cstdint>
#include <vector>

#include "galaxy/galaxy_cloud.h"
#include "render/gl_camera.h"
#include "render/splat_kernel.h"
#include "render/view_state.h"

// Pixels [x0, x1) x [y0, y1) of the viewport; empty when x0 >= x1.
struct PixelBox {
  int x0, y0, x1, y1;
};

class SplatPath {
 public:
  // Expects the window's render state set: measures the point at its size
  // and sizes the buffers to the viewport.
  SplatPath();
  // Buffers for the current viewport; drawing itself never allocates.
  void resizeToViewport();
  // drawScene's picture: clear, camera, every drawn point, into the back
  // buffer. Leaves the modelview at the identity.
  void drawScene(const ViewState& view, const GalaxyCloud& galaxy);

 private:
  bool matchesRenderState(const WindowTransform& t) const;
  // Adds the points into sums; returns the box of pixels the points lie in.
  PixelBox splat(const WindowTransform& t, const double* points, int begin, int end, uint32_t* sums) const;
  PixelBox litBox(const PixelBox& pointPixels) const;
  void resolve(const PixelBox& box);
  void present(const PixelBox& box) const;

  SplatKernel kernel_;
  int width_ = 0, height_ = 0;
  int margin_ = 0;  // pixels around the viewport that edge points may spill into
  int stride_ = 0;  // sums per buffer row: RGB for the viewport's width and both margins
  std::vector<uint32_t> sums_;
  std::vector<uint32_t> image_;  // RGBA, rows bottom-up, as glDrawPixels takes it
};
