// ViewState: the camera and its per-tick motion, all single-precision floats.
#pragma once

// Positions first, then their velocities in the same order: the advance
// step pairs them by position.
struct ViewState {
  float cameraZ{};  // translation along the view axis; negative is in front
  float rotX{};     // degrees
  float rotY{};
  float rotZ{};
  float zoomVel{};  // per tick
  float rotXVel{};
  float rotYVel{};
  float rotZVel{};
};

// The start values; rotZ keeps whatever it had (zero in a new window).
inline void setInitialViewState(ViewState& view) {
  view.cameraZ = -10.0f;
  view.rotX = 0.0f;
  view.rotY = 0.0f;
  view.zoomVel = 0.0f;
  view.rotXVel = 0.01f;
  view.rotYVel = 0.01f;
  view.rotZVel = 0.1f;
}

// One tick of motion, each sum in float; angles are never wrapped.
inline void advanceCamera(ViewState& view) {
  view.cameraZ += view.zoomVel;
  view.rotX += view.rotXVel;
  view.rotY += view.rotYVel;
  view.rotZ += view.rotZVel;
}
