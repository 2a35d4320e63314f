// SplatPath: the galaxy drawn for software renderers. Points are projected
// here and the driver's own measured point added into integer buffers, then
// shown as one image: the driver's picture without its cost per point.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "galaxy/galaxy_cloud.h"
#include "render/gl_camera.h"
#include "render/side_thread.h"
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
  ~SplatPath();
  // Buffers for the current viewport; drawing itself never allocates.
  void resizeToViewport();
  // drawScene's picture: clear, camera, every drawn point, into the back
  // buffer. Leaves the modelview at the identity.
  void drawScene(const ViewState& view, const GalaxyCloud& galaxy);

 private:
  // The second core's share of a frame: points [begin, end) into its own
  // sums, then rows [begin, end) of the image.
  struct SideShare {
    SplatPath* path;
    const WindowTransform* transform;
    const double* points;
    int begin, end;
    PixelBox box;
  };

  bool matchesRenderState(const WindowTransform& t) const;
  // Every point, on both cores when there are enough to pay for the second.
  PixelBox splatAll(const WindowTransform& t, const GalaxyCloud& galaxy);
  // Adds the points into sums; returns the box of pixels the points lie in.
  PixelBox splat(const WindowTransform& t, const double* points, int begin, int end, uint32_t* sums) const;
  PixelBox litBox(const PixelBox& pointPixels) const;
  void resolve(const PixelBox& box);
  void resolveRows(const PixelBox& box, int y0, int y1);
  void present(const PixelBox& box) const;

  SplatKernel kernel_;
  int width_ = 0, height_ = 0;
  int margin_ = 0;  // pixels around the viewport that edge points may spill into
  int stride_ = 0;  // sums per buffer row: RGB for the viewport's width and both margins
  std::vector<uint32_t> sums_;
  std::unique_ptr<SideThread> side_;  // none on one core
  std::vector<uint32_t> sideSums_;    // the side thread's points, added in by resolve
  bool split_ = false;                // whether this frame's points were shared out
  SideShare share_{};
  std::vector<uint32_t> image_;  // RGBA, rows bottom-up, as glDrawPixels takes it
};
