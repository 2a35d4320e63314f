// Windows' own loops: while the window is moved or sized, or its menu is
// open, DispatchMessage does not return until the user lets go, so the
// galaxy's ticks come from a timer of the window's own that runs the due
// work from WM_TIMER. At log-off the close runs before WM_ENDSESSION returns,
// since Windows may end the process as soon as it has.
#include <windows.h>
#include <timeapi.h>  // after windows.h, which it needs

#include <algorithm>

#include "platform/win32/win32_window_state.h"

namespace {

Win32EventSink* sinkOf(HWND window) {
  Win32WindowState* state = windowState(window);
  return state ? state->sink : nullptr;
}

// SetTimer counts whole milliseconds and never less than USER_TIMER_MINIMUM;
// a tick that comes a little early is put off again by the due work itself.
UINT timerDelay(int64_t waitUs) {
  return static_cast<UINT>(std::clamp<int64_t>((waitUs + 999) / 1000, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM));
}

}  // namespace

// A 1 ms system timer period while the loop runs, so that its ticks come on
// time, not at the default 15.6 ms steps.
void enterWindowsLoop(HWND window) {
  Win32EventSink* sink = sinkOf(window);
  if (!sink) return;
  if (sink->windowsLoops++ == 0) timeBeginPeriod(1);
  runDueWork(window);
}

void leaveWindowsLoop(HWND window) {
  Win32EventSink* sink = sinkOf(window);
  if (!sink || sink->windowsLoops == 0) return;
  if (--sink->windowsLoops == 0) {
    KillTimer(window, kTickTimer);
    timeEndPeriod(1);
  }
}

bool insideWindowsLoop(HWND window) {
  const Win32EventSink* sink = sinkOf(window);
  return sink && sink->windowsLoops > 0;
}

// The queued events (a resize among them, so the next frame has the new
// size), a tick if one is due, and the timer set for the next one. The work
// only ever starts from Windows' loop, never inside a frame of ours.
void runDueWork(HWND window) {
  Win32EventSink* sink = sinkOf(window);
  if (!sink || !sink->dueWork) return;
  const int64_t waitUs = sink->dueWork();
  // A close in that work may have destroyed the window.
  if (!IsWindow(window) || sink->windowsLoops == 0) return;
  if (waitUs < 0) KillTimer(window, kTickTimer);
  else SetTimer(window, kTickTimer, timerDelay(waitUs), nullptr);
}

// The close goes before everything still queued, and runs to its end (the
// form's close handler, the GL context and device context released, the
// window destroyed) before Windows is told the session may end.
void closeForEndOfSession(HWND window) {
  Win32EventSink* sink = sinkOf(window);
  if (!sink) return;
  sink->events.push_front(makeEvent(WindowEvent::Kind::Close, window));
  if (!sink->dueWork) return;
  ++sink->windowsLoops;
  sink->dueWork();
  --sink->windowsLoops;
}
