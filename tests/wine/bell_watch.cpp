// Counts the X server's bells, for the tests under Wine, where a Windows
// program's beep becomes an X bell: prints one line per bell as it rings.
// Runs until it is killed. Usage: bell_watch   (on $DISPLAY)
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <cstdio>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
  if (!XkbQueryExtension(display, &opcode, &event, &error, &major, &minor)) return 1;
  XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
  std::printf("watching\n");
  std::fflush(stdout);
  for (;;) {
    XEvent next;
    XNextEvent(display, &next);
    if (next.type == event && reinterpret_cast<XkbAnyEvent&>(next).xkb_type == XkbBellNotify) {
      std::printf("bell\n");
      std::fflush(stdout);
    }
  }
}
