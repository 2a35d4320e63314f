// Keys and the wheel: velocity steps, parameter edits that regenerate the
// galaxy (its points by the next frame), presets, the hide/show toggle.
// Every key-down ends with the caption rebuild.
#include "app/mainview.h"
#include "galaxy/presets.h"
#include "platform/forms/runtime.h"
#include "platform/forms/virtual_keys.h"

#include <type_traits>

namespace {

constexpr double kStep = 0.1;  // every real-valued step, as a double

// The float is widened, stepped in double and rounded back to float, so
// velocities drift off exact multiples of 0.1.
void stepVelocity(float& velocity, double delta) { velocity = static_cast<float>(velocity + delta); }

// Stepped at 32 bits with wrap-around instead of overflow.
int32_t stepped(int32_t value, int32_t delta) {
  return static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(delta));
}

}  // namespace

void TViewPort::FormKeyDown(TObject* /*Sender*/, uint16_t& Key, TShiftState /*Shift*/) {
  auto edit = [this](auto& parameter, auto delta) {
    if constexpr (std::is_same_v<std::remove_reference_t<decltype(parameter)>, int32_t>)
      parameter = stepped(parameter, delta);
    else
      parameter += delta;
    regenerate();
  };
  switch (Key) {
    case VK_UP: stepVelocity(view.rotXVel, -kStep); break;
    case VK_DOWN: stepVelocity(view.rotXVel, kStep); break;
    case VK_LEFT: stepVelocity(view.rotYVel, -kStep); break;
    case VK_RIGHT: stepVelocity(view.rotYVel, kStep); break;
    case VK_ADD: stepVelocity(view.zoomVel, -kStep); break;
    case VK_SUBTRACT: stepVelocity(view.zoomVel, kStep); break;
    case VK_DIVIDE: stepVelocity(view.rotZVel, -kStep); break;
    case VK_MULTIPLY: stepVelocity(view.rotZVel, kStep); break;
    case 'Z':
      galaxy.arms = stepped(galaxy.arms, -1);
      if (galaxy.arms == 0) galaxy.arms = 1;  // a ring always has a cluster
      regenerate();
      break;
    case 'X': edit(galaxy.arms, 1); break;
    case 'C': edit(galaxy.auxA, -1); break;
    case 'V': edit(galaxy.auxA, 1); break;
    case 'B': edit(galaxy.twist, -kStep); break;
    case 'N': edit(galaxy.twist, kStep); break;
    case 'A': edit(galaxy.rings, -1); break;
    case 'S': edit(galaxy.rings, 1); break;
    case VK_F3: toggleGalaxyShown(); break;
    case 'D': edit(galaxy.falloff, -1); break;
    case 'F': edit(galaxy.falloff, 1); break;
    case 'G': edit(galaxy.auxB, -1); break;
    case 'H': edit(galaxy.auxB, 1); break;
    case 'J': edit(galaxy.spread, -kStep); break;
    case 'K': edit(galaxy.spread, kStep); break;
    case 'Q': edit(galaxy.auxC, -1); break;
    case 'W': edit(galaxy.auxC, 1); break;
    case VK_SPACE: view.rotXVel = view.rotYVel = view.rotZVel = view.zoomVel = 0.0f; break;
    case '1': case '2': case '3': case '4': case '5': case '6': case '7': case '8': {
      const GalaxyPreset& preset = kPresets[static_cast<size_t>(Key - '1')];
      galaxy.rings = preset.rings;
      galaxy.arms = preset.arms;
      galaxy.twist = preset.twist;
      regenerate();
      break;
    }
    default: break;
  }
  buildStatusCaption();
}

// The count is the new one at once (the hide key and the caption may read it
// before the next frame); the points are written when a frame needs them, so
// a burst of keys costs one generation, not one per key.
void TViewPort::regenerate() { pendingPoints.generateLater(galaxy); }

// Hiding puts the count aside; showing brings back what was put aside. Points
// are never touched, and any regeneration shows the galaxy again.
void TViewPort::toggleGalaxyShown() {
  if (galaxy.count != 0) {
    savedCount = galaxy.count;
    galaxy.count = 0;
  } else {
    galaxy.count = savedCount;
  }
}

void TViewPort::FormMouseWheel(TObject* /*Sender*/, TShiftState /*Shift*/, int32_t WheelDelta, TPoint /*MousePos*/,
                               bool& /*Handled*/) {
  // One step per event, whatever the size of the turn.
  view.zoomVel = static_cast<float>(Sign(WheelDelta) * kStep + view.zoomVel);
}
