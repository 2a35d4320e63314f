// Where the SDL backend puts its window: the frame asked for before mapping
// on X11, the stored geometry fitted into the work area, the maximum size.
#include "platform/sdl/sdl_window_state.h"
#include "platform/window_placement.h"
#include "platform/linux/x11_frame.h"

namespace {

constexpr int kFrameAnswerMs = 200;  // how long the window manager may take to tell its frame

ScreenRect workAreaOf(SDL_Window* window) {
  SDL_Rect area{};
  const int display = SDL_GetWindowDisplayIndex(window);
  if (display < 0 || SDL_GetDisplayUsableBounds(display, &area) != 0) return {};
  return {area.x, area.y, area.w, area.h};
}

// The frame's rectangle: the stored outer geometry, moved and shrunk where
// the work area is smaller.
ScreenRect outerRect(SdlWindow& w) {
  const WindowGeometry& g = w.geometry;
  return fitIntoWorkArea(scaledRect({g.left, g.top, g.width, g.height}, w.geometryScale), workAreaOf(w.window));
}

void setClientSize(SdlWindow& w, const ScreenRect& outer, const FrameExtents& frame) {
  SDL_SetWindowSize(w.window, SDL_max(1, outer.width - frame.left - frame.right),
                    SDL_max(1, outer.height - frame.top - frame.bottom));
}

}  // namespace

// Before the window is mapped: ask the window manager for the frame, so the
// window maps at its final geometry and the first frame drawn has the real
// client area.
void placeBeforeMapping(SdlWindow& w) {
  const auto info = wmInfo(w.window);
  if (!info) return;
  if (info->subsystem != SDL_SYSWM_X11) {
    // A Wayland compositor places the window and draws no frame we know of:
    // the client area only has to fit on the screen.
    setClientSize(w, outerRect(w), FrameExtents{});
    return;
  }
  const auto frame = requestFrameExtents(info->info.x11.display, info->info.x11.window, kFrameAnswerMs);
  if (!frame) return;
  const ScreenRect outer = outerRect(w);
  setClientSize(w, outer, *frame);
  // Unmapped, the requested position is where the frame's corner goes. The
  // window was created at the stored one; moving it again would only make
  // SDL wait for the window manager to follow.
  if (outer.left != w.geometry.left || outer.top != w.geometry.top)
    SDL_SetWindowPosition(w.window, outer.left, outer.top);
  w.framed = true;
}

// For a window manager that does not answer the request: the frame is known
// once the window is framed; give it a moment, then place it.
void placeAfterMapping(SdlWindow& w) {
  const auto info = wmInfo(w.window);
  if (!info || info->subsystem != SDL_SYSWM_X11) return;
  std::optional<FrameExtents> frame;
  for (int attempt = 0; attempt < 20 && !frame; ++attempt) {
    SDL_PumpEvents();
    frame = currentFrameExtents(info->info.x11.display, info->info.x11.window);
    if (!frame) SDL_Delay(10);
  }
  const FrameExtents extents = frame.value_or(FrameExtents{});
  const ScreenRect outer = outerRect(w);
  setClientSize(w, outer, extents);
  // Mapped, SDL places the client area.
  SDL_SetWindowPosition(w.window, outer.left + extents.left, outer.top + extents.top);
}

double pixelDensity(SDL_Window* window) {
  int width = 0, height = 0, pixelWidth = 0, pixelHeight = 0;
  SDL_GetWindowSize(window, &width, &height);
  SDL_GetWindowSizeInPixels(window, &pixelWidth, &pixelHeight);
  return width > 0 && pixelWidth > 0 ? static_cast<double>(pixelWidth) / width : 1.0;
}

// The limit is in device pixels; SDL takes sizes in its window units.
void enforceMaximumSize(SdlWindow& w) {
  int width = 0, height = 0;
  SDL_GetWindowSizeInPixels(w.window, &width, &height);
  if (width <= kLargestClientSide && height <= kLargestClientSide) return;
  const double density = pixelDensity(w.window);
  SDL_SetWindowSize(w.window, static_cast<int>(SDL_min(width, kLargestClientSide) / density),
                    static_cast<int>(SDL_min(height, kLargestClientSide) / density));
}

