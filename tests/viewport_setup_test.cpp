// The window's start-up and shut-down against a scripted GL binding: both
// pixel-format failures, context failures, and the close handler's null tests.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "headless_viewport.h"

TEST(ViewportSetUp, ConstructionLoadsTheResourceAndGeneratesBeforeCreate) {
  ScriptedGlBinding gl;
  HeadlessViewport headless(&gl);
  TViewPort& w = headless.window();
  EXPECT_EQ(mainWindow, &w);
  EXPECT_EQ(w.Name(), "ViewPort");
  EXPECT_EQ(w.GetText(), "Galaxy");
  EXPECT_EQ(w.Geometry().left, 172);
  EXPECT_EQ(w.Geometry().top, 170);
  EXPECT_EQ(w.Geometry().width, 823);
  EXPECT_EQ(w.Geometry().height, 740);
  EXPECT_FALSE(w.OldCreateOrder());
  ASSERT_NE(w.Timer, nullptr) << "the resource load must fill the published Timer field";
  EXPECT_EQ(w.Timer->Interval(), 10u);
  EXPECT_TRUE(w.Timer->Enabled());
  EXPECT_EQ(w.galaxy.count, 20200);
  EXPECT_EQ(w.savedCount, 0);
  EXPECT_EQ(gl.calls, (std::vector<std::string>{"GetDC", "ChoosePixelFormat", "SetPixelFormat",
                                                "wglCreateContext", "wglMakeCurrent"}));
  EXPECT_TRUE(w.renderingReady);
  EXPECT_TRUE(headless.backend().messageBoxes().empty());
}

TEST(ViewportSetUp, NoPixelFormatShowsOneBoxAndClosesWithoutAContext) {
  ScriptedGlBinding gl;
  gl.chooseResult = 0;
  HeadlessViewport headless(&gl);
  TViewPort& w = headless.window();
  ASSERT_EQ(headless.backend().messageBoxes().size(), 1u);
  EXPECT_EQ(headless.backend().messageBoxes()[0].text, "ChoosePixelFormat failed");
  EXPECT_EQ(headless.backend().messageBoxes()[0].caption, "Error");
  EXPECT_EQ(gl.count("SetPixelFormat"), 0);
  EXPECT_EQ(gl.count("wglCreateContext"), 0) << "no context on a released device context";
  EXPECT_EQ(gl.count("ReleaseDC"), 1);
  EXPECT_EQ(gl.count("wglDeleteContext"), 0) << "FormClose skips the null context";
  EXPECT_TRUE(w.Closed());
  EXPECT_FALSE(w.Timer->Enabled());
  EXPECT_TRUE(w.setupFailed);

  Application->Run();  // returns at once: the main window has closed
  EXPECT_EQ(gl.count("SwapBuffers"), 0) << "no tick may draw without a context";
}

TEST(ViewportSetUp, PixelFormatThatCannotBeSetShowsItsOwnBox) {
  ScriptedGlBinding gl;
  gl.setResult = false;
  HeadlessViewport headless(&gl);
  ASSERT_EQ(headless.backend().messageBoxes().size(), 1u);
  EXPECT_EQ(headless.backend().messageBoxes()[0].text, "SetPixelFormat failed");
  EXPECT_EQ(headless.backend().messageBoxes()[0].caption, "Error");
  EXPECT_EQ(gl.count("wglCreateContext"), 0);
  EXPECT_TRUE(headless.window().Closed());
}

TEST(ViewportSetUp, ContextFailuresAreReportedInsteadOfLeavingABlackWindow) {
  ScriptedGlBinding gl;
  gl.createSucceeds = false;
  HeadlessViewport headless(&gl);
  ASSERT_EQ(headless.backend().messageBoxes().size(), 1u);
  EXPECT_EQ(headless.backend().messageBoxes()[0].text, "wglCreateContext failed");
  EXPECT_TRUE(headless.window().Closed());
  EXPECT_TRUE(headless.window().setupFailed);
  EXPECT_EQ(gl.count("wglDeleteContext"), 0);
  EXPECT_EQ(gl.count("ReleaseDC"), 1);

  ScriptedGlBinding gl2;
  gl2.makeCurrentResult = false;
  HeadlessViewport second(&gl2);
  ASSERT_EQ(second.backend().messageBoxes().size(), 1u);
  EXPECT_EQ(second.backend().messageBoxes()[0].text, "wglMakeCurrent failed");
  EXPECT_EQ(gl2.count("wglDeleteContext"), 1) << "the context that was made is given back";
}

TEST(ViewportSetUp, CloseStopsTheTimerThenDeletesAndReleasesInOrder) {
  ScriptedGlBinding gl;
  HeadlessViewport headless(&gl);
  TViewPort& w = headless.window();
  gl.calls.clear();
  w.Close();
  EXPECT_EQ(gl.calls, (std::vector<std::string>{"wglDeleteContext", "ReleaseDC"}));
  EXPECT_FALSE(w.Timer->Enabled());

  // Null handles: nothing to delete or release, the timer still stops.
  w.glContext = nullptr;
  w.deviceContext = nullptr;
  w.Timer->SetEnabled(true);
  gl.calls.clear();
  TCloseAction action = TCloseAction::caHide;
  w.FormClose(&w, action);
  EXPECT_TRUE(gl.calls.empty());
  EXPECT_FALSE(w.Timer->Enabled());
  EXPECT_EQ(action, TCloseAction::caHide) << "the close action is left as passed";
}

TEST(ViewportSetUp, ClosingWhileTurningHandlesNoFurtherTick) {
  ScriptedGlBinding gl;
  HeadlessViewport headless(&gl);
  TViewPort& w = headless.window();
  NullWindowBackend& backend = headless.backend();
  backend.post(makeEvent(WindowEvent::Kind::Close, w.Handle()), backend.nowUs() + 55'000);
  Application->Run();
  EXPECT_TRUE(w.Closed());
  const int frames = gl.count("SwapBuffers");
  EXPECT_GE(frames, 4);
  EXPECT_LE(frames, 5);
  // Nothing after the close: the delete and release are the last calls.
  EXPECT_EQ(gl.calls.back(), "ReleaseDC");
  EXPECT_EQ(gl.calls[gl.calls.size() - 2], "wglDeleteContext");
}

TEST(ViewportSetUp, AResizeBeforeTheContextExistsTouchesNoGlState) {
  // A context of the test's own is current; the failed window must not touch it.
  NullWindowBackend backend;
  EglBinding egl(EglBinding::Target::Pbuffer, backend);
  usePlatform(backend, egl);
  HWND native = backend.createWindow({});
  HDC dc = GetDC(native);
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  pfd.cColorBits = 24;
  ASSERT_TRUE(SetPixelFormat(dc, ChoosePixelFormat(dc, &pfd), &pfd));
  HGLRC context = wglCreateContext(dc);
  ASSERT_TRUE(wglMakeCurrent(dc, context));
  glViewport(1, 2, 3, 4);

  ScriptedGlBinding gl;
  gl.chooseResult = 0;
  {
    HeadlessViewport headless(&gl);
    headless.window().FormResize(&headless.window());
  }
  std::array<GLint, 4> vp{};
  glGetIntegerv(GL_VIEWPORT, vp.data());
  EXPECT_EQ(vp, (std::array<GLint, 4>{1, 2, 3, 4}));

  usePlatform(backend, egl);
  wglDeleteContext(context);
  ReleaseDC(native, dc);
  backend.destroyWindow(native);
  useDesktopPlatform();
}

TEST(ViewportSetUp, MinimisedTheCameraMovesOnButNothingIsDrawn) {
  ScriptedGlBinding shownGl, minimisedGl;
  HeadlessViewport shown(&shownGl);
  const ViewState shownView = [&] {
    for (int tick = 0; tick < 60; ++tick) shown.window().TimerTimer(&shown.window());
    return shown.window().view;
  }();
  HeadlessViewport minimised(&minimisedGl);
  TViewPort& w = minimised.window();
  minimised.backend().setMinimized(w.Handle(), true);
  for (int tick = 0; tick < 50; ++tick) w.TimerTimer(&w);
  EXPECT_EQ(minimisedGl.count("SwapBuffers"), 0) << "a minimised window draws nothing";
  EXPECT_TRUE(w.Timer->Enabled()) << "the ticks go on";
  minimised.backend().setMinimized(w.Handle(), false);
  for (int tick = 0; tick < 10; ++tick) w.TimerTimer(&w);
  EXPECT_EQ(minimisedGl.count("SwapBuffers"), 10);
  EXPECT_EQ(std::memcmp(&shownView, &w.view, sizeof(ViewState)), 0)
      << "back on screen, the view is the one it would have had: rotZ " << w.view.rotZ << ", not " << shownView.rotZ;
}
