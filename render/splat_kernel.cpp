// Measuring the driver's point: one draw of a grid of points, one at every
// sub-pixel phase, and one read of the pixels they lit.
#include "render/splat_kernel.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {

// Blocks as read back: the phase's point sits in pixel (reach, reach) of a
// square of 2 * reach + 1 pixels, with a pixel of black between cells.
struct Grid {
  int reach, cell, columns, rows;
  int blockSide() const { return 2 * reach + 1; }
};

void drawPhaseGrid(const Grid& grid, int first, int count) {
  glBegin(GL_POINTS);
  for (int i = 0; i < count; ++i) {
    const int phase = first + i;
    const float sub = 1.0f / SplatKernel::kPhases;
    const int column = i % grid.columns, row = i / grid.columns;
    glVertex2f(static_cast<float>(column * grid.cell + grid.reach) + (static_cast<float>(phase % SplatKernel::kPhases) + 0.5f) * sub,
               static_cast<float>(row * grid.cell + grid.reach) + (static_cast<float>(phase / SplatKernel::kPhases) + 0.5f) * sub);
  }
  glEnd();
}

// The full square of every phase, RGB per pixel, taken from the driver.
std::vector<uint32_t> readSquares(const Grid& grid, int x0, int y0) {
  const int phases = SplatKernel::kPhases * SplatKernel::kPhases;
  const int side = grid.blockSide(), perBatch = grid.columns * grid.rows;
  std::vector<uint32_t> squares(static_cast<size_t>(phases) * side * side * 3);
  std::vector<uint8_t> pixels(static_cast<size_t>(grid.columns * grid.cell) * grid.rows * grid.cell * 4);
  for (int first = 0; first < phases; first += perBatch) {
    const int count = std::min(perBatch, phases - first);
    glClear(GL_COLOR_BUFFER_BIT);
    drawPhaseGrid(grid, first, count);
    glReadPixels(x0, y0, grid.columns * grid.cell, grid.rows * grid.cell, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    for (int i = 0; i < count; ++i) {
      uint32_t* out = squares.data() + static_cast<size_t>(first + i) * side * side * 3;
      const int left = (i % grid.columns) * grid.cell, bottom = (i / grid.columns) * grid.cell;
      for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
          for (int c = 0; c < 3; ++c)
            *out++ = pixels[(static_cast<size_t>(bottom + y) * grid.columns * grid.cell + left + x) * 4 + c];
    }
  }
  return squares;
}

// The smallest block that holds every phase's lit pixels.
SplatKernel trimmed(const std::vector<uint32_t>& squares, const Grid& grid, float pointSize) {
  const int side = grid.blockSide(), phases = SplatKernel::kPhases * SplatKernel::kPhases;
  int x0 = side, y0 = side, x1 = -1, y1 = -1;
  for (int p = 0; p < phases; ++p)
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x)
        for (int c = 0; c < 3; ++c)
          if (squares[((static_cast<size_t>(p) * side + y) * side + x) * 3 + c] != 0)
            x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
  SplatKernel kernel;
  kernel.pointSize = pointSize;
  if (x1 < 0) x0 = y0 = x1 = y1 = grid.reach;  // the driver drew nothing: an empty pixel
  kernel.left = x0 - grid.reach, kernel.bottom = y0 - grid.reach;
  kernel.width = x1 - x0 + 1, kernel.height = y1 - y0 + 1;
  kernel.values.reserve(static_cast<size_t>(phases) * kernel.blockSize());
  for (int p = 0; p < phases; ++p)
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        for (int c = 0; c < 3; ++c) kernel.values.push_back(static_cast<uint8_t>(squares[((static_cast<size_t>(p) * side + y) * side + x) * 3 + c]));
  return kernel;
}

}  // namespace

SplatKernel measureSplatKernel(float pointSize) {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLfloat previousSize = 1.0f;
  glGetFloatv(GL_POINT_SIZE, &previousSize);
  // A smooth point lights at most half its size plus a pixel of edge each way.
  const int reach = static_cast<int>(std::ceil(pointSize * 0.5f)) + 2;
  Grid grid{reach, 2 * reach + 2, 0, 0};
  grid.columns = std::min(viewport[2] / grid.cell, SplatKernel::kPhases * SplatKernel::kPhases);
  grid.rows = std::min(viewport[3] / grid.cell, (SplatKernel::kPhases * SplatKernel::kPhases + grid.columns - 1) / std::max(grid.columns, 1));
  // Fewer cells than a row of phases would take hundreds of reads; such a
  // window is drawn by the driver until it grows.
  if (grid.columns * grid.rows < SplatKernel::kPhases) return {};

  glPointSize(pointSize);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  // Vertex coordinates are pixels from the viewport's corner.
  glOrtho(0.0, viewport[2], 0.0, viewport[3], -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  const std::vector<uint32_t> squares = readSquares(grid, viewport[0], viewport[1]);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPointSize(previousSize);
  return trimmed(squares, grid, pointSize);
}
