// The WebGL path's shader program: the camera's matrices applied to each
// point, and a round dot with the soft rim of a smoothed point.
#pragma once
#include <string>

struct WebGlProgram {
  unsigned program = 0;
  int position = -1;    // attribute: the point (x, y, thickness)
  int projection = -1;  // uniform mat4
  int modelview = -1;   // uniform mat4
  int dotSize = -1;     // uniform float: the dot's diameter in pixels
};

// Compiles and links the program on the current context; the error names the
// stage and carries the compiler's log.
bool buildWebGlProgram(WebGlProgram& out, std::string& error);
