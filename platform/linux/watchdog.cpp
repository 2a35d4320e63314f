// The watchdog's thread and the signal handlers that feed it. The handlers
// only store the signal and write to two descriptors, which is all a signal
// handler may safely do.
#include "platform/linux/watchdog.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>

#include "platform/linux/display_loss.h"
#include "platform/linux/wayland_reading.h"

namespace {

// Long enough for any close that the display lets run, short enough to end
// within a second of the signal, answer probe included. A display that
// still answers is not holding the close: the program is busy (a frame at a
// million points on a slow machine), and the close is given more time, up
// to a limit.
constexpr auto kCloseGrace = std::chrono::milliseconds(400);
constexpr auto kBusyCloseLimit = std::chrono::seconds(5);
constexpr int kProbeMs = 200;  // a server that works answers a new client at once
constexpr int kTerminatingSignals[] = {SIGTERM, SIGINT, SIGHUP};

int g_signalPipe[2] = {-1, -1};  // handler -> watchdog
int g_wakeFd = -1;               // handler -> the event wait
std::atomic<int> g_closeRequest{0};
std::atomic<bool> g_closeTaken{false};
volatile sig_atomic_t g_boxUp = 0;
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs a lock-free atomic");

void notify(int fd) {
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = write(fd, &one, sizeof one);
}

void drain(int fd) {
  uint64_t count = 0;
  [[maybe_unused]] const ssize_t got = read(fd, &count, sizeof count);
}

void onTerminatingSignal(int signal) {
  if (g_boxUp) _exit(1);
  int none = 0;
  g_closeRequest.compare_exchange_strong(none, signal);
  notify(g_wakeFd);
  const char number = static_cast<char>(signal);
  [[maybe_unused]] const ssize_t written = write(g_signalPipe[1], &number, 1);
}

void installSignalHandlers() {
  struct sigaction action{};
  action.sa_handler = onTerminatingSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kTerminatingSignals) sigaction(signal, &action, nullptr);
}

}  // namespace

void setModalBoxUp(bool up) { g_boxUp = up; }

Watchdog::~Watchdog() { finish(); }

void Watchdog::start() {
  if (thread_.joinable()) return;
  if (pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;  // no watchdog: signals keep their defaults
  g_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  controlFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  installSignalHandlers();
  thread_ = std::thread([this] { run(); });
}

void Watchdog::watch(int connectionFd, DisplayProtocol protocol, void* waylandDisplay) {
  std::lock_guard lock(mutex_);
  connectionFd_ = connectionFd;
  protocol_ = protocol;
  peer_ = peerOf(connectionFd, protocol);
  if (protocol == DisplayProtocol::Wayland && waylandDisplay) {
    waylandDisplay_ = waylandDisplay;
    readerQueue_ = createReaderQueue(waylandDisplay);
  }
  poke();
}

void Watchdog::forget() {
  std::unique_lock lock(mutex_);
  reading_ = false;
  const int forgotten = connectionFd_;
  connectionFd_ = -1;
  poke();
  // A poll still under way on the connection ends first: closing it shuts it
  // down, which that poll would take for the server hanging up.
  settled_.wait(lock, [&] { return !prepared_ && (forgotten < 0 || polledFd_ != forgotten); });
  destroyReaderQueue(readerQueue_);
  readerQueue_ = waylandDisplay_ = nullptr;
}

void Watchdog::finish() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    poke();
  }
  thread_.join();
}

int Watchdog::takeCloseRequest() {
  const int signal = g_closeRequest.load();
  return signal && !g_closeTaken.exchange(true) ? signal : 0;
}

int Watchdog::wakeFd() const { return g_wakeFd; }

void Watchdog::clearWake() { drain(g_wakeFd); }

void Watchdog::pauseReading() {
  std::unique_lock lock(mutex_);
  reading_ = false;
  if (!prepared_) return;
  poke();
  settled_.wait(lock, [this] { return !prepared_; });
}

void Watchdog::resumeReading() {
  std::lock_guard lock(mutex_);
  if (reading_ || !readerQueue_) return;
  reading_ = true;
  poke();
}

void Watchdog::poke() { notify(controlFd_); }

std::optional<DisplayAddress> Watchdog::server() const {
  if (peer_) return peer_;
  // Still starting: the server the program is connecting to.
  const auto x = xServerFromEnvironment();
  return x ? x : compositorFromEnvironment();
}

// The read announced before the poll: done if there is something to read,
// withdrawn otherwise. Either way the user-interface thread may go on.
void Watchdog::readOrCancel(bool readable) {
  if (!prepared_) return;
  if (!readable)
    cancelWaylandRead(waylandDisplay_);
  else if (readWaylandEvents(waylandDisplay_) < 0)
    lostWhileReading_ = true;
  prepared_ = false;
  settled_.notify_all();
}

int Watchdog::pollMs(const std::optional<Clock::time_point>& deadline) {
  if (!deadline) return -1;
  const auto left = std::max(*deadline - Clock::now(), Clock::duration{});
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

void Watchdog::run() {
  std::optional<Clock::time_point> deadline;
  Clock::time_point signalledAt;
  int signal = 0;
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    if (reading_ && readerQueue_ && !prepared_) prepared_ = prepareWaylandRead(waylandDisplay_, readerQueue_) == 0;
    const bool wasPrepared = prepared_;
    // Without a read announced, only a hang-up wakes us: the connection's
    // traffic is the user-interface thread's.
    pollfd fds[3] = {{g_signalPipe[0], POLLIN, 0}, {controlFd_, POLLIN, 0},
                     {connectionFd_, static_cast<short>(POLLRDHUP | (wasPrepared ? POLLIN : 0)), 0}};
    polledFd_ = connectionFd_;
    lock.unlock();
    poll(fds, 3, pollMs(deadline));
    lock.lock();
    polledFd_ = -1;
    // What a connection forgotten meanwhile did is no news.
    const short events = fds[2].fd == connectionFd_ ? fds[2].revents : 0;
    if (events & POLLNVAL) connectionFd_ = -1;  // closed behind our back: nothing left to watch
    const bool hangUp = events & (POLLRDHUP | POLLHUP | POLLERR);
    readOrCancel((events & POLLIN) || hangUp);
    settled_.notify_all();
    if (fds[1].revents & POLLIN) drain(controlFd_);
    char number = 0;
    if ((fds[0].revents & POLLIN) && read(g_signalPipe[0], &number, 1) == 1 && !deadline) {
      signal = number;
      signalledAt = Clock::now();
      deadline = signalledAt + kCloseGrace;
    }
    if (stopping_) break;
    if (lostWhileReading_ || (hangUp && !wasPrepared)) {
      const std::string error = waylandProtocolError(waylandDisplay_);
      endOnLostDisplay(server(), error.empty() ? nullptr : error.c_str());
    }
    if (deadline && Clock::now() >= *deadline) {
      const auto display = server();
      const bool answers = display && displayAnswers(*display, kProbeMs);
      if (!answers || Clock::now() - signalledAt >= kBusyCloseLimit) endOnUnansweredDisplay(signal, answers);
      deadline = Clock::now() + kCloseGrace;
    }
  }
}
