// The camera's matrices, computed once for every drawing path: the
// perspective of the window's set-up and drawFrame's translation and turns.
#pragma once
#include <array>

#include "render/view_state.h"

// Column-major, as GL takes a matrix.
using Matrix4 = std::array<float, 16>;

// gluPerspective(45, aspect, 1, 100): worked in double as GLU does, then
// stored as float.
Matrix4 cameraProjection(double aspect);
// glTranslatef(0, 0, cameraZ), then glRotatef about x, y and z by rotX, rotY
// and rotZ degrees, each step in float.
Matrix4 cameraModelview(const ViewState& view);
// a * b: b is applied first.
Matrix4 multiply(const Matrix4& a, const Matrix4& b);
