// What happens when the display server goes away under the program: one line
// on standard error and status 1, at once, with no clean-up that would talk to
// the dead connection.
#pragma once

// Ends the program: "galaxy: lost the connection to the display", status 1.
// Safe to call from a signal handler or from inside the window system's
// library; runs no exit handlers.
[[noreturn]] void exitOnLostDisplay();

// Whether the server has hung up on the connection with this socket; false
// for -1 (no connection known).
bool displayHungUp(int connectionFd);

// While one lives, the connection is checked every 200 ms from a timer signal
// (SIGALRM, whose handler stays ours from the first watch on) and the program
// ends if the server has gone. A buffer swap on a dead X connection can spin
// inside the driver for many seconds; nothing else would notice until it
// returned.
class DisplayWatch {
 public:
  explicit DisplayWatch(int connectionFd);
  ~DisplayWatch();
  DisplayWatch(const DisplayWatch&) = delete;
  DisplayWatch& operator=(const DisplayWatch&) = delete;

 private:
  bool armed_ = false;
};
