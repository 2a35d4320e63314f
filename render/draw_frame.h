// drawFrame: one picture of the galaxy, one step of the camera, then the
// buffer swap the window supplies.
#pragma once
#include "galaxy/galaxy_cloud.h"
#include "render/view_state.h"

// Expects a current context with the matrix mode at modelview and the render
// state of the window's set-up (single colour, additive blending, point size).
// Draws the first ceil(count / 3) points: the bound compares coordinate
// indices with a point count, so the inner rings show. On the desktop the
// splatting path draws it where the driver rasterises in software.
void drawScene(const ViewState& view, const GalaxyCloud& galaxy);

template <class Present>
void drawFrame(ViewState& view, const GalaxyCloud& galaxy, Present&& present) {
  drawScene(view, galaxy);
  advanceCamera(view);
  present();
}
