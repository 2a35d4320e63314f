// Watches, from a thread of its own, what the user-interface thread cannot
// see while it works or waits on the display server:
// - SIGTERM, SIGINT and SIGHUP wake the user-interface thread to close the
//   window; when the close has not finished 0.4 s later (a display
//   server that does not answer holds it), the program ends at once;
// - the display connection hanging up, whatever the program is doing;
// - on Wayland, the compositor's traffic while the program draws or
//   regenerates: it is read into the client's queues, so the compositor never
//   finds the socket full and drops the program.
// The thread never touches the program's state; every event is still handled
// by the user-interface thread.
#pragma once
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/linux/display_probe.h"

class Watchdog {
 public:
  Watchdog() = default;
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  // Installs the signal handlers and starts the thread; once per program.
  void start();
  // The display connection to watch from now on; on Wayland also the one to
  // read while the user-interface thread is busy.
  void watch(int connectionFd, DisplayProtocol protocol, void* waylandDisplay);
  // Stops watching and reading the connection, which is about to be closed.
  void forget();
  // The display has been given back: no deadline holds any more.
  void finish();

  // The signal that asked for a close, the first time it is asked; else 0.
  int takeCloseRequest();
  // Readable once a signal has asked for a close, for the event wait's poll.
  int wakeFd() const;
  void clearWake();

  // The user-interface thread reads the connection itself while it waits
  // for events; the watchdog reads it in between.
  void pauseReading();
  void resumeReading();

 private:
  using Clock = std::chrono::steady_clock;
  static int pollMs(const std::optional<Clock::time_point>& deadline);
  void run();
  void readOrCancel(bool readable);
  void poke();
  std::optional<DisplayAddress> server() const;

  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable settled_;  // a read announced earlier is done
  int controlFd_ = -1;               // wakes the thread's poll
  int connectionFd_ = -1;
  int polledFd_ = -1;  // the connection a poll under way watches
  DisplayProtocol protocol_ = DisplayProtocol::X11;
  std::optional<DisplayAddress> peer_;
  void* waylandDisplay_ = nullptr;
  void* readerQueue_ = nullptr;
  bool reading_ = false;   // the user-interface thread has handed reading over
  bool prepared_ = false;  // a read is announced and the thread is in poll
  bool lostWhileReading_ = false;
  bool stopping_ = false;
};

// While a modal box is up, a terminating signal ends the program at once
// with status 1: the box's own loop would not let the close run.
void setModalBoxUp(bool up);
