// The display probes: plain sockets and the first bytes of each protocol, so
// they are safe from any thread and never touch the program's connection.
#include "platform/linux/display_probe.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::optional<DisplayAddress> unixAddress(DisplayProtocol protocol, const std::string& path, bool abstract) {
  DisplayAddress address;
  address.protocol = protocol;
  auto& un = reinterpret_cast<sockaddr_un&>(address.socket);
  const size_t offset = abstract ? 1 : 0;  // an abstract name starts with a NUL
  if (path.size() + offset >= sizeof un.sun_path) return std::nullopt;
  un.sun_family = AF_UNIX;
  std::memcpy(un.sun_path + offset, path.data(), path.size());
  address.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1));
  return address;
}

// A non-blocking socket connected (or queued) to the address, or -1.
int connectTo(const DisplayAddress& address) {
  const int fd = socket(address.socket.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  const auto* target = reinterpret_cast<const sockaddr*>(&address.socket);
  // A full backlog (EAGAIN) or a TCP handshake under way still means a listener.
  if (connect(fd, target, address.length) == 0 || errno == EAGAIN || errno == EINPROGRESS) return fd;
  close(fd);
  return -1;
}

// X11's connection set-up with no authorization, and Wayland's wl_display.sync:
// either draws a reply from a server that works, whatever it says.
std::string firstRequest(DisplayProtocol protocol) {
  if (protocol == DisplayProtocol::X11) {
    const char setup[12] = {'l', 0, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // little-endian, protocol 11.0
    return std::string(setup, sizeof setup);
  }
  const uint32_t sync[3] = {1, (12u << 16) | 0, 2};  // object 1 (the display), opcode 0, new id 2
  return std::string(reinterpret_cast<const char*>(sync), sizeof sync);
}

}  // namespace

std::optional<DisplayAddress> peerOf(int connectionFd, DisplayProtocol protocol) {
  DisplayAddress address;
  address.protocol = protocol;
  address.length = sizeof address.socket;
  if (getpeername(connectionFd, reinterpret_cast<sockaddr*>(&address.socket), &address.length) != 0)
    return std::nullopt;
  return address;
}

std::optional<DisplayAddress> xServerFromEnvironment() {
  const char* display = std::getenv("DISPLAY");
  if (!display) return std::nullopt;
  std::string name = display;
  if (name.starts_with("unix:")) name.erase(0, 4);
  if (!name.starts_with(":")) return std::nullopt;  // a display on another host
  const std::string number = name.substr(1, name.find('.') - 1);
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  // Xlib tries the abstract socket first on Linux, then the file.
  const std::string path = "/tmp/.X11-unix/X" + number;
  auto abstract = unixAddress(DisplayProtocol::X11, path, true);
  if (abstract && displayListens(*abstract)) return abstract;
  return unixAddress(DisplayProtocol::X11, path, false);
}

std::optional<DisplayAddress> compositorFromEnvironment() {
  const char* name = std::getenv("WAYLAND_DISPLAY");
  const std::string socketName = name && *name ? name : "wayland-0";
  if (socketName.starts_with("/")) return unixAddress(DisplayProtocol::Wayland, socketName, false);
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime || !*runtime) return std::nullopt;
  return unixAddress(DisplayProtocol::Wayland, std::string(runtime) + "/" + socketName, false);
}

int openDisplayConnection(const DisplayAddress& address) {
  const int fd = socket(address.socket.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address.socket), address.length) == 0) return fd;
  close(fd);
  return -1;
}

bool displayListens(const DisplayAddress& address) {
  const int fd = connectTo(address);
  if (fd < 0) return false;
  close(fd);
  return true;
}

bool displayAnswers(const DisplayAddress& address, int timeoutMs) {
  const int fd = connectTo(address);
  if (fd < 0) return false;
  const std::string request = firstRequest(address.protocol);
  pollfd writable{fd, POLLOUT, 0};
  bool answered = poll(&writable, 1, timeoutMs) == 1 && (writable.revents & POLLOUT) &&
                  send(fd, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size());
  if (answered) {
    pollfd readable{fd, POLLIN, 0};
    char byte = 0;
    answered = poll(&readable, 1, timeoutMs) == 1 && recv(fd, &byte, 1, MSG_DONTWAIT) == 1;
  }
  close(fd);
  return answered;
}
