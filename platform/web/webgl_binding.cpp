// WebGL 1 on the page's canvas: no alpha (the black clear is the page's
// black), a depth buffer as the window asks for one, no antialiasing.
#include "platform/web/webgl_binding.h"

#include <emscripten.h>
#include <emscripten/html5.h>

namespace {

// The one device context: the canvas.
struct CanvasContext {};
CanvasContext g_canvas;

}  // namespace

// The reason the page's script heard from the browser's
// webglcontextcreationerror, or what the absence of WebGL itself says.
EM_JS(void, webglFailureReason, (char* text, int size), {
  const reason = typeof WebGLRenderingContext === 'undefined'
      ? 'this browser has no WebGL'
      : (Module.webglCreationError || 'the browser turned WebGL off or refused a context');
  stringToUTF8(reason, text, size);
});

HDC WebGlBinding::getDC(HWND) { return reinterpret_cast<HDC>(&g_canvas); }

int WebGlBinding::choosePixelFormat(HDC, const PIXELFORMATDESCRIPTOR& request) {
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.alpha = EM_FALSE;
  attributes.depth = request.cDepthBits > 0;
  attributes.antialias = EM_FALSE;
  attributes.majorVersion = 1;
  context_ = emscripten_webgl_create_context("#canvas", &attributes);
  if (context_ > 0) return 1;
  char reason[256];
  webglFailureReason(reason, sizeof reason);
  error_ = std::string("WebGL: ") + reason;
  return 0;
}

HGLRC WebGlBinding::createContext(HDC) { return context_ > 0 ? reinterpret_cast<HGLRC>(&g_canvas) : nullptr; }

bool WebGlBinding::makeCurrent(HDC, HGLRC context) {
  if (!context) return emscripten_webgl_make_context_current(0) == EMSCRIPTEN_RESULT_SUCCESS;
  const EMSCRIPTEN_RESULT result = emscripten_webgl_make_context_current(context_);
  if (result != EMSCRIPTEN_RESULT_SUCCESS) error_ = "WebGL: the context cannot be made current";
  return result == EMSCRIPTEN_RESULT_SUCCESS;
}

bool WebGlBinding::deleteContext(HGLRC) {
  if (context_ > 0) emscripten_webgl_destroy_context(context_);
  context_ = 0;
  return true;
}
