// The native window handle the form library passes around: on Windows the
// system's own HWND, elsewhere the backend's window object.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
// Each backend derives its own.
struct NativeWindow {
  virtual ~NativeWindow() = default;
};
using HWND = NativeWindow*;
#endif
