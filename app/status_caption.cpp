// Composing the status caption: velocities and real parameters with two
// decimals in the user's notation, integers as "%i" prints them.
#include "app/status_caption.h"

#include <cstdio>

#include "app/mainview.h"

namespace {

std::string integerText(int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%i", value);
  return text;
}

}  // namespace

std::string statusCaption(const ViewState& view, const GalaxyCloud& galaxy, const TFormatSettings& settings) {
  // Floats are widened exactly: 0.1f shows as the 0.10000000149... it holds.
  auto F = [&](long double value) { return FormatFloat("0.00", value, settings); };
  std::string caption = "Galaxy ~ Rotation(";
  caption += F(view.rotXVel) + ":" + F(view.rotYVel) + ":" + F(view.rotZVel);
  caption += ") Zoom(" + F(view.zoomVel);
  caption += ") Arm(" + integerText(galaxy.arms) + ":" + integerText(galaxy.rings) + ":" + F(galaxy.twist) + ":" +
             integerText(galaxy.auxA);
  caption += ") Other(" + integerText(galaxy.auxC) + ":" + integerText(galaxy.auxB) + ":" + F(galaxy.spread) +
             ":" + integerText(galaxy.falloff);
  caption += ")";
  return caption;
}

void TViewPort::buildStatusCaption() {
  // Set once, with the finished text, on the one main window.
  mainWindow->SetText(statusCaption(view, galaxy, FormatSettings));
}
