// The timer's deadline arithmetic; the application's loop waits on it.
#include "platform/forms/timer.h"

#include "platform/forms/application.h"
#include "platform/platform.h"

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  restart();
  Application->AddTimer(this);
}

TTimer::~TTimer() { Application->RemoveTimer(this); }

void TTimer::SetInterval(uint32_t milliseconds) {
  interval_ = milliseconds;
  if (enabled_) restart();
}

void TTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (enabled_) restart();
}

void TTimer::restart() { dueAt_ = windowBackend().nowUs() + int64_t{interval_} * 1000; }

void TTimer::Fire() {
  // The next tick counts from now, so a late tick is never followed by a
  // burst of catch-up ticks.
  restart();
  OnTimer(this);
}
