// How the program ends when its display server goes away or holds it: one
// line on standard error and _exit, with no clean-up that would wait on the
// display. Called from the user-interface thread (Xlib's I/O error handler)
// or from the watchdog's thread; the first caller ends the program and any
// other waits for it.
#pragma once
#include <optional>

#include "platform/linux/display_probe.h"

// The connection hung up. `server`, when known, is asked whether it is still
// there, to tell a server that went away ("lost the connection to the
// display") from one that dropped us; `protocolError` is what a compositor
// said before it did, if anything. Status 1.
[[noreturn]] void endOnLostDisplay(const std::optional<DisplayAddress>& server, const char* protocolError = nullptr);

// A terminating signal could not be honoured in time: the window's close
// waits on a display that does not answer, or (`displayAnswers`) the program
// did not finish it. Status 128 + the signal's number, as a shell reports a
// program that a signal ended.
[[noreturn]] void endOnUnansweredDisplay(int signal, bool displayAnswers);

// Whether the server has hung up on the connection with this socket; false for -1.
bool displayHungUp(int connectionFd);

// While one lives, a crash inside the window system's library (SDL's Wayland
// start-up reads globals that a compositor which died never sent) is the lost
// display it comes from when the connection `connectionFd` (if known) has hung
// up or the server at `server` is gone; any other crash stays a crash.
class DisplayCrashGuard {
 public:
  DisplayCrashGuard(const std::optional<DisplayAddress>& server, int connectionFd);
  ~DisplayCrashGuard();
  DisplayCrashGuard(const DisplayCrashGuard&) = delete;
  DisplayCrashGuard& operator=(const DisplayCrashGuard&) = delete;

 private:
  bool guarding_ = false;
};

// Remembers which process is the viewer: a child forked from it (SDL's X11
// message box) inherits its handlers and must not speak for it.
void noteViewerProcess();
