// The camera of the fixed-function and splatting paths: the view state as the
// GL's modelview, and the GL's own transform from galaxy coordinates to window pixels.
#pragma once
#include "render/view_state.h"

// Replaces the modelview with the view: translation along the view axis, then
// the turns about x, y and z. Expects the matrix mode at modelview.
void loadCamera(const ViewState& view);

// Projection times modelview, column-major, in float as the driver keeps it,
// and the viewport that maps its unit cube to pixels.
struct WindowTransform {
  float clip[16]{};
  int x = 0, y = 0, width = 0, height = 0;
};

// What the GL would apply to a vertex now: read back from its current
// matrices and viewport, so a path that projects points itself cannot drift
// from the one that lets the driver do it.
WindowTransform currentWindowTransform();
