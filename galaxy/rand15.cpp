// The one program-wide state of Rand15.
#include "galaxy/rand15.h"

namespace Rand15 {
namespace {
uint32_t g_state = 0;
}

void seed(uint32_t s) {
  g_state = s;
  next();
}

uint32_t next() {
  g_state = step(g_state);
  return output(g_state);
}

uint32_t state() { return g_state; }
void setState(uint32_t s) { g_state = s; }

}  // namespace Rand15
