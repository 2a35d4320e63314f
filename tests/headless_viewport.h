// A real TViewPort on a headless window with an EGL pbuffer (Mesa's
// surfaceless platform), or on a scripted GL binding for the failure paths.
#pragma once
#include <cstdlib>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/mainview.h"
#include "platform/forms/application.h"
#include "platform/egl/egl_binding.h"
#include "platform/headless/null_window.h"
#include "platform/platform.h"

// A GL binding whose answers a test sets, recording every call by name.
class ScriptedGlBinding final : public GlBinding {
 public:
  int chooseResult = 1;
  bool setResult = true;
  bool createSucceeds = true;
  bool makeCurrentResult = true;
  std::vector<std::string> calls;

  HDC getDC(HWND) override { return record("GetDC"), fakeHandle<HDC>(0x10); }
  int choosePixelFormat(HDC, const PIXELFORMATDESCRIPTOR&) override { return record("ChoosePixelFormat"), chooseResult; }
  bool setPixelFormat(HDC, int, const PIXELFORMATDESCRIPTOR&) override { return record("SetPixelFormat"), setResult; }
  HGLRC createContext(HDC) override {
    record("wglCreateContext");
    return createSucceeds ? fakeHandle<HGLRC>(0x20) : nullptr;
  }
  bool makeCurrent(HDC, HGLRC) override { return record("wglMakeCurrent"), makeCurrentResult; }
  bool swapBuffers(HDC) override { return record("SwapBuffers"), true; }
  bool deleteContext(HGLRC) override { return record("wglDeleteContext"), true; }
  bool releaseDC(HWND, HDC) override { return record("ReleaseDC"), true; }
  std::string lastError() const override { return "scripted failure"; }

  int count(const std::string& name) const { return static_cast<int>(std::count(calls.begin(), calls.end(), name)); }

 private:
  void record(const char* name) { calls.emplace_back(name); }
  template <class H>
  static H fakeHandle(uintptr_t value) {
    return reinterpret_cast<H>(value);
  }
};

// Installs the headless platform and creates the one TViewPort through
// Application->CreateForm, as the program does; closes and frees it after.
// The drawing path ("fixed" or "splat") of the windows made while it lives,
// whatever the renderer.
struct ForcedDrawPath {
  explicit ForcedDrawPath(const char* path) { setenv("GALAXY_TEST_DRAW_PATH", path, 1); }
  ~ForcedDrawPath() { unsetenv("GALAXY_TEST_DRAW_PATH"); }
};

class HeadlessViewport {
 public:
  explicit HeadlessViewport(GlBinding* binding = nullptr, int width = 800, int height = 600, double scale = 1.0)
      : pbuffer_(EglBinding::Target::Pbuffer, backend_) {
    backend_.setClientSize(width, height);
    backend_.setScale(scale);
    usePlatform(backend_, binding ? *binding : pbuffer_);
    Application->DestroyForms();
    mainWindow = nullptr;
    Application->CreateForm(mainWindow);
  }
  ~HeadlessViewport() {
    if (mainWindow && !mainWindow->Closed()) mainWindow->Close();
    Application->DestroyForms();
    mainWindow = nullptr;
    useDesktopPlatform();
  }
  HeadlessViewport(const HeadlessViewport&) = delete;
  HeadlessViewport& operator=(const HeadlessViewport&) = delete;

  TViewPort& window() { return *mainWindow; }
  NullWindowBackend& backend() { return backend_; }

 private:
  NullWindowBackend backend_;
  EglBinding pbuffer_;
};
