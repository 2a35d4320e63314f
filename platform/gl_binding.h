// Off Windows, the window's OpenGL binding in the shape the window class uses
// it: device context, pixel format, rendering context, buffer swap. egl/ maps
// these steps onto EGL; tests can put a binding of their own in its place.
#pragma once
#include <cstdint>
#include <string>

#include "platform/window_backend.h"

struct DeviceContext;
struct RenderingContext;
using HDC = DeviceContext*;
using HGLRC = RenderingContext*;

inline constexpr uint32_t PFD_DOUBLEBUFFER = 0x1;
inline constexpr uint32_t PFD_DRAW_TO_WINDOW = 0x4;
inline constexpr uint32_t PFD_SUPPORT_OPENGL = 0x20;
inline constexpr uint8_t PFD_TYPE_RGBA = 0;
inline constexpr uint8_t PFD_TYPE_COLORINDEX = 1;
inline constexpr uint32_t PFD_MAIN_PLANE = 0;

// The pixel-format request, field for field (40 bytes).
struct PIXELFORMATDESCRIPTOR {
  uint16_t nSize;
  uint16_t nVersion;
  uint32_t dwFlags;
  uint8_t iPixelType;
  uint8_t cColorBits;
  uint8_t cRedBits, cRedShift, cGreenBits, cGreenShift, cBlueBits, cBlueShift;
  uint8_t cAlphaBits, cAlphaShift;
  uint8_t cAccumBits, cAccumRedBits, cAccumGreenBits, cAccumBlueBits, cAccumAlphaBits;
  uint8_t cDepthBits;
  uint8_t cStencilBits;
  uint8_t cAuxBuffers;
  uint8_t iLayerType;
  uint8_t bReserved;
  uint32_t dwLayerMask;
  uint32_t dwVisibleMask;
  uint32_t dwDamageMask;
};
static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40);

class GlBinding {
 public:
  virtual ~GlBinding() = default;
  // A device context for the window's client area; null on failure.
  virtual HDC getDC(HWND window) = 0;
  // 1-based index of the best matching format, 0 when there is none.
  virtual int choosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR& request) = 0;
  virtual bool setPixelFormat(HDC dc, int index, const PIXELFORMATDESCRIPTOR& request) = 0;
  virtual HGLRC createContext(HDC dc) = 0;
  virtual bool makeCurrent(HDC dc, HGLRC context) = 0;
  virtual bool swapBuffers(HDC dc) = 0;
  // A context current on this thread is made not current first.
  virtual bool deleteContext(HGLRC context) = 0;
  virtual bool releaseDC(HWND window, HDC dc) = 0;
  // The decoded reason of the last failure, for diagnostics.
  virtual std::string lastError() const = 0;
};

// The platform calls, routed to the binding in use.
HDC GetDC(HWND window);
int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* request);
int SetPixelFormat(HDC dc, int index, const PIXELFORMATDESCRIPTOR* request);
HGLRC wglCreateContext(HDC dc);
int wglMakeCurrent(HDC dc, HGLRC context);
int SwapBuffers(HDC dc);
int wglDeleteContext(HGLRC context);
int ReleaseDC(HWND window, HDC dc);

inline constexpr unsigned MB_OK = 0;
// A modal box with the text, the caption and one OK button.
int MessageBoxA(HWND owner, const char* text, const char* caption, unsigned type);
