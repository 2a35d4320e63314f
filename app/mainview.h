// TViewPort: the one window. It owns everything the running program has: the
// frame timer, the rendering context, the view state and the displayed galaxy.
#pragma once
#include <cstdint>
#include <memory>

#include "galaxy/galaxy_cloud.h"
#include "galaxy/pending_points.h"
#include "platform/forms/form.h"
#include "platform/forms/timer.h"
#include "platform/wgl.h"
#include "render/view_state.h"

class TViewPort : public TForm {
 public:
  // Published: bound by name from the form resource.
  TTimer* Timer{};  // the frame clock, created by the form resource
  void TimerTimer(TObject* Sender);
  void FormCreate(TObject* Sender);
  void FormResize(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormMouseWheel(TObject* Sender, TShiftState Shift, int32_t WheelDelta, TPoint MousePos, bool& Handled);
  void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);

  HGLRC glContext{};
  HDC deviceContext{};
  ViewState view{};
  GalaxyCloud galaxy;  // constructed after the resource load: defaults, then generate
  PendingPoints pendingPoints;  // the keys' generations, written before the next frame
  int32_t savedCount{};  // the count the hide key put aside
  bool renderingReady{};  // a context is current and the render state set
  bool setupFailed{};     // FormCreate could not set up rendering

  // The window is created by Application->CreateForm, zero-filled, on the heap.
  explicit TViewPort(TComponent* owner);

  bool setupPixelFormat(HDC dc);
  void initRenderState(int32_t width, int32_t height);
  void setupProjection(int32_t width, int32_t height);
  void buildStatusCaption();

  static const FormClass& formClass();

 private:
  void reportSetupFailure(const char* text);
  void regenerate();
  void toggleGalaxyShown();
};

// The one TViewPort; Application->CreateForm fills it.
extern TViewPort* mainWindow;
