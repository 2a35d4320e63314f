// The window's life: binding the rendering context, the fixed render state,
// the projection that follows the client size, the frame tick and shut-down.
#include "app/mainview.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdio>

#include "app/mainview_resource.h"
#include "render/draw_frame.h"

TViewPort* mainWindow = nullptr;

namespace {

constexpr PublishedField kFields[] = {publishField<&TViewPort::Timer>("Timer", "TTimer")};

constexpr PublishedMethod kMethods[] = {
    publishMethod<&TViewPort::TimerTimer>("TimerTimer"),
    publishMethod<&TViewPort::FormCreate>("FormCreate"),
    publishMethod<&TViewPort::FormResize>("FormResize"),
    publishMethod<&TViewPort::FormClose>("FormClose"),
    publishMethod<&TViewPort::FormMouseWheel>("FormMouseWheel"),
    publishMethod<&TViewPort::FormKeyDown>("FormKeyDown"),
};

// The dots' diameter on a 96-DPI screen; elsewhere it grows with the scale,
// so every screen shows the same picture, only with more or less detail.
constexpr float kDotSize = 5.0f;

// Width over height in floating point; a window sized to nothing has no
// height, and 1 stands in for it.
double aspectOf(int32_t width, int32_t height) {
  return static_cast<double>(width) / static_cast<double>(height > 0 ? height : 1);
}

}  // namespace

const FormClass& TViewPort::formClass() {
  static const FormClass cls{"TViewPort", kViewPortResource, kFields, kMethods};
  return cls;
}

TViewPort::TViewPort(TComponent* owner) : TForm(owner, formClass()) {}

void TViewPort::FormCreate(TObject* /*Sender*/) {
  deviceContext = GetDC(GetHandle());
  if (!setupPixelFormat(deviceContext)) {
    setupFailed = true;
    Close();  // FormClose releases the device context; nothing more to do
    return;
  }
  glContext = wglCreateContext(deviceContext);
  if (!glContext) return reportSetupFailure("wglCreateContext failed");
  if (!wglMakeCurrent(deviceContext, glContext)) return reportSetupFailure("wglMakeCurrent failed");
  // The context stays current on this thread until FormClose.
  const TRect client = GetClientRect();
  initRenderState(client.right, client.bottom);
  renderingReady = true;
}

// A window that cannot draw says so and closes, instead of staying black.
void TViewPort::reportSetupFailure(const char* text) {
  std::fprintf(stderr, "galaxy: %s: %s\n", text, lastWglError().c_str());
  MessageBoxA(nullptr, text, "Error", MB_OK);
  setupFailed = true;
  Close();
}

bool TViewPort::setupPixelFormat(HDC dc) {
  PIXELFORMATDESCRIPTOR request{};
  request.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  request.nVersion = 1;
  request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  // Blending with a source alpha needs an RGBA surface.
  request.iPixelType = PFD_TYPE_RGBA;
  request.cColorBits = 24;
  request.cDepthBits = 16;
  request.dwLayerMask = PFD_MAIN_PLANE;
  const int index = ChoosePixelFormat(dc, &request);
  if (index == 0) {
    std::fprintf(stderr, "galaxy: %s\n", lastWglError().c_str());
    MessageBoxA(nullptr, "ChoosePixelFormat failed", "Error", MB_OK);
    return false;
  }
  if (!SetPixelFormat(dc, index, &request)) {
    std::fprintf(stderr, "galaxy: %s\n", lastWglError().c_str());
    MessageBoxA(nullptr, "SetPixelFormat failed", "Error", MB_OK);
    return false;
  }
  return true;
}

void TViewPort::initRenderState(int32_t width, int32_t height) {
  glShadeModel(GL_SMOOTH);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glEnable(GL_POINT_SMOOTH);
  glEnable(GL_BLEND);
  // The only colour ever set: overlapping faint points add up to a glow.
  glColor4f(0.9f, 0.9f, 0.7f, 0.1f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glMatrixMode(GL_PROJECTION);
  // A new context's projection is the identity, so no glLoadIdentity here.
  gluPerspective(45.0, aspectOf(width, height), 1.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glPointSize(kDotSize * static_cast<float>(Scale()));
  setInitialViewState(view);
}

void TViewPort::FormResize(TObject* /*Sender*/) {
  // The window system may report a size before the context exists.
  if (!renderingReady) return;
  const TRect client = GetClientRect();
  setupProjection(client.right, client.bottom);
  // A screen of another scale resizes the window as it arrives there.
  glPointSize(kDotSize * static_cast<float>(Scale()));
}

void TViewPort::setupProjection(int32_t width, int32_t height) {
  // The driver caps the viewport; the aspect must be that of the viewport
  // it really uses. Windows are kept within 8192 pixels each way, which
  // common drivers draw, so this bites only on a driver that draws less or
  // where a window manager ignored the window's maximum size.
  GLint largest[2] = {0, 0};
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, largest);
  if (largest[0] > 0 && largest[1] > 0) width = std::min(width, largest[0]), height = std::min(height, largest[1]);
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, aspectOf(width, height), 1.0, 100.0);
  glMatrixMode(GL_MODELVIEW);  // drawFrame reloads the modelview matrix itself
}

void TViewPort::TimerTimer(TObject* /*Sender*/) {
  // The timer is stopped while a frame draws, so a slow frame lowers the
  // frame rate instead of queueing ticks behind it.
  Timer->SetEnabled(false);
  if (renderingReady) {
    // Minimised or unmapped, the camera moves on but nothing is drawn, so
    // the window comes back to the view it would have had.
    if (Showing()) {
      pendingPoints.write(galaxy);
      drawFrame(view, galaxy, [this] { SwapBuffers(deviceContext); });
    } else {
      advanceCamera(view);
    }
  }
  Timer->SetEnabled(true);
}

void TViewPort::FormClose(TObject* /*Sender*/, TCloseAction& /*Action*/) {
  Timer->SetEnabled(false);
  renderingReady = false;
  // The context is still current; deleting it releases it first.
  if (glContext) wglDeleteContext(glContext);
  if (deviceContext) ReleaseDC(GetHandle(), deviceContext);
}
