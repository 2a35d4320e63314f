// Xlib calls that SDL does not offer: the frame-extents request, the window's
// visual, the connection's socket and its I/O error handler.
#include "platform/linux/x11_frame.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <thread>

#include "platform/linux/display_loss.h"

namespace {

Display* xdisplay(void* display) { return static_cast<Display*>(display); }

bool windowManagerSupports(Display* d, Atom feature) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom supported = XInternAtom(d, "_NET_SUPPORTED", False);
  if (XGetWindowProperty(d, DefaultRootWindow(d), supported, 0, 4096, False, XA_ATOM, &type, &format, &count, &after,
                         &data) != Success || !data)
    return false;
  const Atom* atoms = reinterpret_cast<const Atom*>(data);
  bool found = false;
  for (unsigned long i = 0; i < count && !found; ++i) found = atoms[i] == feature;
  XFree(data);
  return found;
}

void sendFrameExtentsRequest(Display* d, Window window, Atom request) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = request;
  event.xclient.format = 32;
  XSendEvent(d, DefaultRootWindow(d), False, SubstructureNotifyMask | SubstructureRedirectMask, &event);
  XFlush(d);
}

}  // namespace

std::optional<FrameExtents> currentFrameExtents(void* display, unsigned long window) {
  Display* d = xdisplay(display);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom extents = XInternAtom(d, "_NET_FRAME_EXTENTS", False);
  if (XGetWindowProperty(d, window, extents, 0, 4, False, XA_CARDINAL, &type, &format, &count, &after, &data) !=
          Success || !data)
    return std::nullopt;
  std::optional<FrameExtents> frame;
  if (count == 4 && format == 32) {
    const long* v = reinterpret_cast<const long*>(data);
    frame = FrameExtents{static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]), static_cast<int>(v[3])};
  }
  XFree(data);
  return frame;
}

std::optional<FrameExtents> requestFrameExtents(void* display, unsigned long window, int timeoutMs) {
  Display* d = xdisplay(display);
  const Atom request = XInternAtom(d, "_NET_REQUEST_FRAME_EXTENTS", False);
  if (!windowManagerSupports(d, request)) return std::nullopt;
  sendFrameExtentsRequest(d, window, request);
  // The answer is a property on the window; reading it is one round trip.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  do {
    if (auto frame = currentFrameExtents(display, window)) return frame;
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  } while (std::chrono::steady_clock::now() < deadline);
  return std::nullopt;
}

unsigned long windowVisualId(void* display, unsigned long window) {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(xdisplay(display), window, &attributes) || !attributes.visual) return 0;
  return XVisualIDFromVisual(attributes.visual);
}

int displayConnectionFd(void* display) { return ConnectionNumber(xdisplay(display)); }

void exitWhenXConnectionIsLost() {
  XSetIOErrorHandler(
      [](Display* d) -> int { endOnLostDisplay(peerOf(ConnectionNumber(d), DisplayProtocol::X11)); });
}
