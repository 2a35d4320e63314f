// The form's window, caption, close request and event dispatch.
#include "platform/forms/form.h"

#include "platform/forms/application.h"
#include "platform/platform.h"

TForm::TForm(TComponent* owner, const FormClass& formClass) : TComponent(owner) { loadResource(formClass); }

TForm::~TForm() {
  if (handle_) windowBackend().destroyWindow(handle_);
}

HWND TForm::GetHandle() {
  if (!handle_) {
    handle_ = windowBackend().createWindow(geometry_);
    captionShown_ = true;
    if (Application->Icon().rows) windowBackend().setIcon(handle_, Application->Icon());
  }
  return handle_;
}

TRect TForm::GetClientRect() { return windowBackend().clientRect(GetHandle()); }

double TForm::Scale() { return windowBackend().scale(GetHandle()); }

bool TForm::Showing() { return handle_ && windowBackend().isShowing(handle_); }


void TForm::SetText(const std::string& caption) {
  geometry_.caption = caption;
  captionShown_ = false;
}

void TForm::ShowCaption() {
  if (captionShown_ || !handle_) return;
  windowBackend().setCaption(handle_, geometry_.caption);
  captionShown_ = true;
}

void TForm::Close() {
  if (closed_) return;
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(this, action);
  if (action == TCloseAction::caNone) return;
  closed_ = true;
  if (handle_) windowBackend().destroyWindow(handle_);
  handle_ = nullptr;
}

void TForm::AfterConstruction() {
  for (const auto& [field, component] : pendingFields_) field->assign(*this, component);
  pendingFields_.clear();
}

void TForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TForm::Show() {
  if (!closed_) windowBackend().showWindow(GetHandle());
}

void TForm::HandleEvent(const WindowEvent& event) {
  switch (event.kind) {
    case WindowEvent::Kind::Resize:
      if (OnResize) OnResize(this);
      break;
    case WindowEvent::Kind::KeyDown:
      if (OnKeyDown) {
        uint16_t key = event.key;
        OnKeyDown(this, key, event.shift);
      }
      break;
    case WindowEvent::Kind::MouseWheel:
      if (OnMouseWheel) {
        bool handled = false;
        OnMouseWheel(this, event.shift, event.wheelDelta, event.mousePos, handled);
      }
      break;
    case WindowEvent::Kind::Close:
      Close();
      break;
    case WindowEvent::Kind::Nothing:
      break;
  }
}
