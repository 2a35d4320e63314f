// TTimer: a stoppable periodic tick, delivered by the application's message
// loop. It is a deadline in that loop, never a thread, so ticks cannot pile up.
#pragma once
#include <cstdint>

#include "platform/forms/form_types.h"

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);  // enabled, like the component's default
  ~TTimer() override;
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  uint32_t Interval() const { return interval_; }
  // A running timer starts a fresh interval.
  void SetInterval(uint32_t milliseconds);
  bool Enabled() const { return enabled_; }
  // true: the next tick is due one Interval from now; false: no tick until enabled.
  void SetEnabled(bool enabled);

  TNotifyEvent OnTimer;

  // For the message loop: whether a tick can come, when, and delivering it.
  bool Armed() const { return enabled_ && interval_ > 0 && OnTimer; }
  // Microseconds on the window backend's clock.
  int64_t DueAt() const { return dueAt_; }
  void Fire();

 private:
  void restart();

  uint32_t interval_ = 1000;
  bool enabled_ = true;
  int64_t dueAt_ = 0;
};
