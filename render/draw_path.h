// Which drawing path a context gets: splatting where the driver rasterises
// in software, whose cost per point would set the frame rate; the driver's
// own points everywhere else.
#pragma once
#include "galaxy/galaxy_cloud.h"
#include "render/view_state.h"

// llvmpipe, softpipe, SwiftShader and Windows' GDI Generic, by GL_RENDERER.
bool isSoftwareRenderer(const char* renderer);

class SplatPath;
// The splatting path that drawScene takes for the window's context, made by
// the render set-up where it suits; null where the driver draws the points.
SplatPath* activeSplatPath();
// The driver's own immediate-mode points: drawScene where no splatting path
// is active, and the picture the splatting path is held to.
void drawDriverPoints(const ViewState& view, const GalaxyCloud& galaxy);

// For the current context. Tests force a path with GALAXY_TEST_DRAW_PATH set
// to "splat" or "fixed", to hold the two to the same picture.
bool splattingSuitsCurrentContext();
