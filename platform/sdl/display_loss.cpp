// The lost-display exit and the watch over a buffer swap: only
// async-signal-safe calls (poll, write, _exit) once a signal may be involved.
#include "platform/sdl/display_loss.h"

#include <poll.h>
#include <signal.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

volatile sig_atomic_t g_watchedFd = -1;

void onAlarm(int) {
  if (displayHungUp(g_watchedFd)) exitOnLostDisplay();
}

// Installed once and never taken back: a tick of the timer can still be on
// its way after the watch has ended (Valgrind, for one, delivers signals
// late), and it must find this handler, not the default that ends the
// program. With no connection watched it does nothing.
void installAlarmHandlerOnce() {
  static const bool installed = [] {
    struct sigaction alarm{};
    alarm.sa_handler = onAlarm;
    sigemptyset(&alarm.sa_mask);
    alarm.sa_flags = SA_RESTART;  // the swap's own system calls carry on
    return sigaction(SIGALRM, &alarm, nullptr) == 0;
  }();
  (void)installed;
}

void setAlarmInterval(long microseconds) {
  itimerval interval{};
  interval.it_interval.tv_usec = microseconds;
  interval.it_value.tv_usec = microseconds;
  setitimer(ITIMER_REAL, &interval, nullptr);
}

}  // namespace

void exitOnLostDisplay() {
  static const char kMessage[] = "galaxy: lost the connection to the display\n";
  [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
  _exit(1);
}

bool displayHungUp(int connectionFd) {
  if (connectionFd < 0) return false;
  pollfd connection{connectionFd, POLLRDHUP, 0};
  return poll(&connection, 1, 0) > 0 && (connection.revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL));
}

DisplayWatch::DisplayWatch(int connectionFd) {
  if (connectionFd < 0) return;
  if (displayHungUp(connectionFd)) exitOnLostDisplay();
  installAlarmHandlerOnce();
  g_watchedFd = connectionFd;
  setAlarmInterval(200'000);
  armed_ = true;
}

DisplayWatch::~DisplayWatch() {
  if (!armed_) return;
  setAlarmInterval(0);
  g_watchedFd = -1;
}
