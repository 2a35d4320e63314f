// Window-layer decisions that do not need a screen: where the window goes on
// a small work area, which GL config fits the window, and the reason kept
// when no device context could be had.
#include <gtest/gtest.h>

#include "platform/egl/egl_binding.h"
#include "platform/headless/null_window.h"
#include "platform/egl/pixel_format_match.h"
#include "platform/window_placement.h"

TEST(WindowPlacement, StoredGeometryStaysWhereTheWorkAreaHoldsIt) {
  const ScreenRect stored{172, 170, 823, 740};
  EXPECT_EQ(fitIntoWorkArea(stored, {0, 0, 1280, 1024}), stored);
  EXPECT_EQ(fitIntoWorkArea(stored, {0, 0, 995, 910}), stored) << "an exact fit is a fit";
  EXPECT_EQ(fitIntoWorkArea(stored, {}), stored) << "an unknown work area changes nothing";
}

TEST(WindowPlacement, TooSmallWorkAreaMovesTheFrameInsideThenShrinksIt) {
  const ScreenRect stored{172, 170, 823, 740};
  EXPECT_EQ(fitIntoWorkArea(stored, {0, 0, 800, 600}), (ScreenRect{0, 0, 800, 600}));
  EXPECT_EQ(fitIntoWorkArea(stored, {0, 0, 320, 240}), (ScreenRect{0, 0, 320, 240}));
  EXPECT_EQ(fitIntoWorkArea(stored, {0, 0, 1024, 768}), (ScreenRect{172, 28, 823, 740}))
      << "only moved up: the size fits";
  EXPECT_EQ(fitIntoWorkArea(stored, {0, 30, 1280, 738}), (ScreenRect{172, 30, 823, 738}))
      << "below a top panel, moved then shrunk";
}

namespace {

PIXELFORMATDESCRIPTOR windowRequest() {
  PIXELFORMATDESCRIPTOR request{};
  request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  request.cColorBits = 24;
  request.cDepthBits = 16;
  return request;
}

}  // namespace

TEST(PixelFormatMatch, OnlyConfigsOfTheWindowsVisualAndTheClosestFirst) {
  const std::vector<ConfigTraits> configs = {
      {8, 8, 8, 8, 24, 8, 0x22},  // 32-bit visual
      {8, 8, 8, 0, 24, 8, 0x21},
      {8, 8, 8, 0, 16, 0, 0x21},
      {5, 6, 5, 0, 16, 0, 0x30},  // a 16-bit screen's visual
      {5, 6, 5, 0, 0, 0, 0x30},
      {10, 10, 10, 2, 16, 0, 0x21},
  };
  EXPECT_EQ(rankConfigs(configs, windowRequest(), 0x21), (std::vector<int>{2, 1, 5}));
  EXPECT_EQ(rankConfigs(configs, windowRequest(), 0x30), (std::vector<int>{3, 4}))
      << "fewer colour bits than asked are taken when the screen has no more";
  EXPECT_TRUE(rankConfigs(configs, windowRequest(), 0x99).empty()) << "an 8-bit screen's visual";
  EXPECT_EQ(rankConfigs(configs, windowRequest(), 0).front(), 2) << "headless: any visual";
}

TEST(EglBinding, AFailedDeviceContextKeepsItsReasonThroughTheNextSteps) {
  NullWindowBackend backend;  // a window with no native window behind it
  EglBinding binding(EglBinding::Target::Window, backend);
  HWND window = backend.createWindow({});
  EXPECT_EQ(binding.getDC(window), nullptr);
  const PIXELFORMATDESCRIPTOR request = windowRequest();
  EXPECT_EQ(binding.choosePixelFormat(nullptr, request), 0);
  EXPECT_EQ(binding.lastError(), "EGL: the window has no X11 or Wayland window to draw into");
  backend.destroyWindow(window);
}
