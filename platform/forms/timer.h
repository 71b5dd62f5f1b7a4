#pragma once
// A timer on the window thread. Interval 0 never ticks; changing the
// interval or switching it on restarts the count. Intervals run on the
// program's clock, so tests that speed the clock up speed timers up too.
#include "platform/forms/component.h"

class QTimer;

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner, int interval_ms = 1000, bool enabled = true);
  int Interval() const { return interval_; }
  void SetInterval(int interval_ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  TNotifyEvent OnTimer;

 private:
  void Restart();
  QTimer* timer_;
  int interval_;
  bool enabled_;
};

// A timer with the name the form data give it (the name its handler and tests find it by).
inline TTimer* NewNamedTimer(TComponent* owner, const char* name, int interval_ms, bool enabled) {
  auto* timer = new TTimer(owner, interval_ms, enabled);
  timer->SetName(name);
  return timer;
}
