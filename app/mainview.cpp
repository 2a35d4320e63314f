// The window's life: binding the rendering context, the fixed render state,
// the projection that follows the client size, the frame tick and shut-down.
#include "app/mainview.h"

#include <cstdio>

#include "app/mainview_resource.h"
#include "render/draw_frame.h"
#include "render/render_path.h"

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
  setupRenderPath(width, height, kDotSize * static_cast<float>(Scale()));
  setInitialViewState(view);
}

void TViewPort::FormResize(TObject* /*Sender*/) {
  // The window system may report a size before the context exists.
  if (!renderingReady) return;
  const TRect client = GetClientRect();
  setupProjection(client.right, client.bottom);
  // A screen of another scale resizes the window as it arrives there.
  setRenderDotSize(kDotSize * static_cast<float>(Scale()));
}

void TViewPort::setupProjection(int32_t width, int32_t height) { setRenderViewport(width, height); }

void TViewPort::TimerTimer(TObject* /*Sender*/) {
  // The timer is stopped while a frame draws, so a slow frame lowers the
  // frame rate instead of queueing ticks behind it.
  Timer->SetEnabled(false);
  if (renderingReady) {
    // Minimised or unmapped, the camera moves on but nothing is drawn, so
    // the window comes back to the view it would have had.
    if (Showing()) {
      if (!pendingPoints.empty()) {
        pendingPoints.write(galaxy);
        pointsChanged();
      }
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
  releaseRenderPath();
  // The context is still current; deleting it releases it first.
  if (glContext) wglDeleteContext(glContext);
  if (deviceContext) ReleaseDC(GetHandle(), deviceContext);
}
