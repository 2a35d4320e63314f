// Which drawing path a context gets: splatting where the driver rasterises
// in software, whose cost per point would set the frame rate; the driver's
// own points everywhere else.
#pragma once

// llvmpipe, softpipe, SwiftShader and Windows' GDI Generic, by GL_RENDERER.
bool isSoftwareRenderer(const char* renderer);

// For the current context. Tests force a path with GALAXY_TEST_DRAW_PATH set
// to "splat" or "fixed", to hold the two to the same picture.
bool splattingSuitsCurrentContext();
