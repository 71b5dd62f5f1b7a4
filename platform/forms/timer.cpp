#include "platform/forms/timer.h"

#include <QTimer>

#include "platform/clock/clock.h"

TTimer::TTimer(TComponent* owner, int interval_ms, bool enabled)
    : TComponent(owner), timer_(new QTimer(this)), interval_(interval_ms), enabled_(enabled) {
  QObject::connect(timer_, &QTimer::timeout, this, [this] { FireEvent(OnTimer, this); });
  Restart();
}

void TTimer::SetInterval(int interval_ms) {
  if (interval_ms == interval_) return;
  interval_ = interval_ms;
  Restart();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

void TTimer::Restart() {
  timer_->stop();
  if (enabled_ && interval_ > 0) timer_->start(static_cast<int>(platform::Clock::ToRealMs(interval_)));
}
