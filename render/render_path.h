// The set-up every drawing path gives the window: its fixed render state, the
// projection that follows the client size, and the points it keeps a copy of.
// Each build links one path: fixed-function GL on the desktop
// (draw_frame.cpp), shaders on WebGL in the browser (webgl_path.cpp).
#pragma once
#include <cstdint>

// The dot of one point, in pixels at a scale of 1.
inline constexpr float kDotSize = 5.0f;

// Expects a new, current context. Sets the render state (black clear, one
// colour, additive blending, a dot of dotSize pixels) and the projection.
void setupRenderPath(int32_t width, int32_t height, float dotSize);
// The dot's size changes with the screen's scale.
void setRenderDotSize(float dotSize);
// The viewport and the projection for a client area of that size.
void setRenderViewport(int32_t width, int32_t height);
// The context is about to be deleted: what the path made for it goes first
// (splatting's second core among it), while the window closes.
void releaseRenderPath();
// The galaxy's points were rewritten: a path that keeps its own copy of them
// takes the new ones before its next frame.
void pointsChanged();
