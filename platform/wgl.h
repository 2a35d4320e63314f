// The window's OpenGL set-up by its Windows names: GetDC, ChoosePixelFormat,
// SetPixelFormat, wglCreateContext, wglMakeCurrent, SwapBuffers,
// wglDeleteContext, ReleaseDC and MessageBoxA. On Windows they are the
// system's own; elsewhere stand-ins routed to the GL binding in use.
#pragma once
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/gl_binding.h"
#endif

// Why the last of those calls failed, decoded, for standard error.
std::string lastWglError();
