// Asking a display server, on a connection of our own, whether it is there
// and whether it answers: the program's own connection cannot tell a frozen
// server from a slow one, nor a server that died from one that dropped us.
#pragma once
#include <sys/socket.h>

#include <optional>

enum class DisplayProtocol { X11, Wayland };

struct DisplayAddress {
  DisplayProtocol protocol = DisplayProtocol::X11;
  sockaddr_storage socket{};
  socklen_t length = 0;
};

// The server's end of a connection the program holds.
std::optional<DisplayAddress> peerOf(int connectionFd, DisplayProtocol protocol);
// Where a client would find the server, from the environment: DISPLAY (local
// displays only) or WAYLAND_DISPLAY with XDG_RUNTIME_DIR.
std::optional<DisplayAddress> xServerFromEnvironment();
std::optional<DisplayAddress> compositorFromEnvironment();

// A connection of the program's own to the server, blocking as a client
// library expects of a connection it is handed; -1 if none is taken.
int openDisplayConnection(const DisplayAddress& address);
// A server listens there: a new connection is taken (a frozen server's
// kernel still queues it).
bool displayListens(const DisplayAddress& address);
// The server answers a new client's first request within the time.
bool displayAnswers(const DisplayAddress& address, int timeoutMs);
