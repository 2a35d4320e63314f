// TForm: a window built from a stored form resource, with named events.
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/forms/form_types.h"
#include "platform/forms/published.h"
#include "platform/window_backend.h"

struct ResourceObject;
struct ResourceProperty;

// Stored appearance; nothing at run time draws with it.
struct FormFont {
  std::string charset = "DEFAULT_CHARSET";
  std::string color = "clWindowText";
  int32_t height = -11;
  std::string name = "MS Sans Serif";
  std::vector<std::string> style;
};

class TForm : public TComponent {
 public:
  // Loads the class's form resource: applies its properties, creates its
  // components and binds the events by name. Throws Exception on a resource
  // that names an unknown property, object or handler.
  TForm(TComponent* owner, const FormClass& formClass);
  ~TForm() override;
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  TNotifyEvent OnCreate;
  TNotifyEvent OnResize;
  TCloseEvent OnClose;
  TKeyEvent OnKeyDown;
  TMouseWheelEvent OnMouseWheel;

  const std::string& Name() const { return name_; }
  // The native window, created on first use.
  HWND GetHandle();
  // The client area in device pixels.
  TRect GetClientRect();
  // Device pixels per pixel of a 96-DPI screen where the window is now.
  double Scale();
  // Whether the window can be seen at all: shown and not minimised.
  bool Showing();
  // The caption. The window shows it once the events waiting now are handled:
  // of a burst of keys only the last caption could be seen anyway.
  void SetText(const std::string& caption);
  const std::string& GetText() const { return geometry_.caption; }
  // Raises the close event, then closes the window unless the handler said caNone.
  void Close();
  bool Closed() const { return closed_; }
  // The native window if it exists, without creating it.
  HWND Handle() const { return handle_; }

  const WindowGeometry& Geometry() const { return geometry_; }
  const FormFont& Font() const { return font_; }
  bool OldCreateOrder() const { return oldCreateOrder_; }

  // For the application object: fills the published fields once the whole
  // form exists, then raises the create event.
  void AfterConstruction();
  void DoCreate();
  void Show();
  void HandleEvent(const WindowEvent& event);
  // Hands the latest caption to the window, if it has not got it yet.
  void ShowCaption();

 private:
  void loadResource(const FormClass& formClass);
  void applyProperty(const ResourceProperty& property, const FormClass& formClass);
  void createComponent(const ResourceObject& object, const FormClass& formClass);

  std::string name_;
  WindowGeometry geometry_;
  std::string color_ = "clBtnFace";
  FormFont font_;
  bool oldCreateOrder_ = true;
  int32_t pixelsPerInch_ = 96;
  int32_t textHeight_ = 13;
  std::vector<std::unique_ptr<TComponent>> components_;
  std::vector<std::pair<const PublishedField*, TComponent*>> pendingFields_;
  HWND handle_ = nullptr;
  bool captionShown_ = true;  // the window has the caption geometry_ holds
  bool closed_ = false;
};
