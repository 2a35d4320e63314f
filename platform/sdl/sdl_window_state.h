// The SDL backend's state for one window, shared by its source files.
#pragma once
#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include <optional>

#include "platform/window_backend.h"

struct SdlWindow final : NativeWindow {
  SdlWindow(SDL_Window* w, const WindowGeometry& g) : window(w), geometry(g) {}
  SDL_Window* window;
  WindowGeometry geometry;
  bool framed = false;  // the client size already allows for the frame
  // The stored geometry, for a 96-DPI screen, in SDL's window units: times
  // Xft.dpi / 96 on X11; 1 on Wayland, where SDL counts in the compositor's
  // logical pixels and the buffer scale does the rest.
  double geometryScale = 1.0;
  int pixelWidth = 0;   // the drawing's size the program was last told of
  int pixelHeight = 0;
  void* waylandEglWindow = nullptr;  // made when EGL first asks for it
};

// Before the window is mapped: its final size (and on X11 its position,
// frame included), where the window system lets us know the frame.
void placeBeforeMapping(SdlWindow& w);
// After mapping, for an X11 window manager that did not say its frame before.
void placeAfterMapping(SdlWindow& w);
// Holds the window to its maximum size where nothing else did (no window
// manager, or one that ignores the size hints).
void enforceMaximumSize(SdlWindow& w);

// Device pixels per window unit of SDL: above 1 on a scaled Wayland output.
double pixelDensity(SDL_Window* window);

// The window system's handles of the window, if SDL can tell them.
inline std::optional<SDL_SysWMinfo> wmInfo(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info)) return std::nullopt;
  return info;
}
