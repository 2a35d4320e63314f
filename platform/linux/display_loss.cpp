// The program's last words when the display fails it: write and _exit only,
// so neither a lock held by another thread nor an exit handler that talks to
// the display can keep it from ending.
#include "platform/linux/display_loss.h"

#include <poll.h>
#include <signal.h>
#include <sys/uio.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kProbeMs = 200;  // a server that works answers a new client at once

std::atomic<pid_t> g_viewer{0};
std::atomic<bool> g_ending{false};

// Only the first caller speaks; a second one (the other thread saw it too)
// waits for the first one's _exit.
void claimTheEnd() {
  if (g_viewer != 0 && getpid() != g_viewer) _exit(1);  // a forked child ends quietly
  if (g_ending.exchange(true))
    for (;;) pause();
}

[[noreturn]] void say(const char* line, int status) {
  const char prefix[] = "galaxy: ";
  struct iovec parts[] = {{const_cast<char*>(prefix), sizeof prefix - 1},
                          {const_cast<char*>(line), std::strlen(line)},
                          {const_cast<char*>("\n"), 1}};
  [[maybe_unused]] const ssize_t written = writev(STDERR_FILENO, parts, 3);
  _exit(status);
}

// The server a crash guard asks about, and the crash handling it stands in
// for (a sanitizer's, say); written before its handler is installed.
// Our own connection tells first: a server's children can keep its listening
// socket open for a moment after it died.
std::optional<DisplayAddress> g_guardedServer;
int g_guardedConnection = -1;
struct sigaction g_crashBefore {};

// Only calls that are safe in a signal handler: poll, connect, close,
// sigaction, writev, _exit.
void onCrash(int) {
  if (displayHungUp(g_guardedConnection) || (g_guardedServer && !displayListens(*g_guardedServer)))
    endOnLostDisplay(std::nullopt);
  // Not ours: the fault comes again and meets the handling it had before.
  sigaction(SIGSEGV, &g_crashBefore, nullptr);
}

bool stillAnswers(const std::optional<DisplayAddress>& server) {
  return server && displayAnswers(*server, kProbeMs);
}

}  // namespace

DisplayCrashGuard::DisplayCrashGuard(const std::optional<DisplayAddress>& server, int connectionFd) {
  if (!server && connectionFd < 0) return;
  g_guardedServer = server;
  g_guardedConnection = connectionFd;
  struct sigaction crash{};
  crash.sa_handler = onCrash;
  sigemptyset(&crash.sa_mask);
  sigaction(SIGSEGV, &crash, &g_crashBefore);
  guarding_ = true;
}

DisplayCrashGuard::~DisplayCrashGuard() {
  if (guarding_) sigaction(SIGSEGV, &g_crashBefore, nullptr);
}

void noteViewerProcess() { g_viewer = getpid(); }

void endOnLostDisplay(const std::optional<DisplayAddress>& server, const char* protocolError) {
  claimTheEnd();
  if (protocolError) {
    static char line[512];
    std::snprintf(line, sizeof line, "the compositor ended the connection: %s", protocolError);
    say(line, 1);
  }
  if (stillAnswers(server))
    say(server->protocol == DisplayProtocol::X11 ? "the X server closed the connection"
                                                 : "the compositor closed the connection",
        1);
  say("lost the connection to the display", 1);
}

void endOnUnansweredDisplay(int signal, bool displayAnswers) {
  claimTheEnd();
  // A display that still answers is not what held the close: say so rather
  // than blame it.
  if (displayAnswers) say("the window did not close in time; ended at once", 128 + signal);
  say("the display does not answer; ended without closing the window", 128 + signal);
}

bool displayHungUp(int connectionFd) {
  if (connectionFd < 0) return false;
  pollfd connection{connectionFd, POLLRDHUP, 0};
  return poll(&connection, 1, 0) > 0 && (connection.revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL));
}
