// Reading Xft.dpi from the resource database the desktop merged into the
// server (xrdb), as it was when the connection was opened.
#include "platform/linux/x11_scale.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr double kBaseDpi = 96.0;
constexpr double kLeastDpi = 24.0;  // a quarter and 10 times: beyond, a typing error
constexpr double kMostDpi = 960.0;

}  // namespace

double x11DesktopScale(void* display) {
  const char* resources = XResourceManagerString(static_cast<Display*>(display));
  if (!resources) return 1.0;
  XrmInitialize();
  XrmDatabase database = XrmGetStringDatabase(resources);
  if (!database) return 1.0;
  char* type = nullptr;
  XrmValue value{};
  double dpi = 0.0;
  if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr && type &&
      std::strcmp(type, "String") == 0)
    dpi = std::strtod(value.addr, nullptr);
  XrmDestroyDatabase(database);
  return dpi >= kLeastDpi && dpi <= kMostDpi ? dpi / kBaseDpi : 1.0;
}
