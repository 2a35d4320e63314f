// The headless backend's windows, clock and event queue.
#include "platform/headless/null_window.h"

#include <algorithm>

namespace {

struct HeadlessWindow final : NativeWindow {
  std::string caption;
  TRect client;
  TPoint maximum{kLargestClientSide, kLargestClientSide};
  bool visible = false;
  bool minimized = false;
};

HeadlessWindow& headless(HWND window) { return *static_cast<HeadlessWindow*>(window); }

}  // namespace

HWND NullWindowBackend::createWindow(const WindowGeometry& geometry) {
  auto window = new HeadlessWindow;
  window->caption = geometry.caption;
  window->client = {0, 0, clientWidth_, clientHeight_};
  last_ = window;
  ++live_;
  return window;
}

void NullWindowBackend::destroyWindow(HWND window) {
  if (!window) return;
  delete &headless(window);
  if (last_ == window) last_ = nullptr;
  --live_;
}

void NullWindowBackend::showWindow(HWND window) { headless(window).visible = true; }

void NullWindowBackend::setCaption(HWND window, const std::string& caption) {
  headless(window).caption = caption;
  captionsSet_.push_back(caption);
}

void NullWindowBackend::setIcon(HWND, const IconImage&) {}

TRect NullWindowBackend::clientRect(HWND window) { return headless(window).client; }

// Headless windows have no screen to be hidden from: they draw, as the
// snapshot tool needs, until minimised.
bool NullWindowBackend::isShowing(HWND window) { return !headless(window).minimized; }

void NullWindowBackend::setMinimized(HWND window, bool minimized) { headless(window).minimized = minimized; }

TPoint NullWindowBackend::maximumClientSize(HWND window) const { return headless(window).maximum; }

bool NullWindowBackend::waitEvent(int64_t timeoutUs, WindowEvent& event) {
  if (!events_.empty() && (timeoutUs < 0 || events_.front().first <= now_ + timeoutUs)) {
    now_ = std::max(now_, events_.front().first);
    event = events_.front().second;
    events_.pop_front();
    return true;
  }
  if (timeoutUs < 0) {
    event = makeEvent(WindowEvent::Kind::Close, last_);
    return true;
  }
  now_ += timeoutUs;
  return false;
}

bool NullWindowBackend::showMessageBox(const std::string& text, const std::string& caption) {
  boxes_.push_back({text, caption});
  return true;
}

void NullWindowBackend::post(const WindowEvent& event, int64_t atUs) {
  auto later = std::upper_bound(events_.begin(), events_.end(), atUs,
                                [](int64_t t, const auto& queued) { return t < queued.first; });
  events_.insert(later, {atUs, event});
}

void NullWindowBackend::resizeClient(HWND window, int32_t width, int32_t height) {
  headless(window).client = {0, 0, width, height};
  post(makeEvent(WindowEvent::Kind::Resize, window));
}

std::string NullWindowBackend::caption(HWND window) const { return headless(window).caption; }

bool NullWindowBackend::visible(HWND window) const { return headless(window).visible; }
