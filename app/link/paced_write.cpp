#include "app/link/paced_write.h"

#include <QTimer>

#include "platform/clock/clock.h"
#include "platform/forms/component.h"

PacedWrite::PacedWrite(QObject* owner, int64_t frameMs, std::function<void()> write)
    : pacer_(frameMs), frameMs_(frameMs), timer_(new QTimer(owner)), write_(std::move(write)) {
  timer_->setSingleShot(true);
  QObject::connect(timer_, &QTimer::timeout, owner, [this] { FireEvent(std::function<void()>([this] { Write(); })); });
}

void PacedWrite::Request() {
  const int64_t wait = pacer_.WaitBefore(platform::Clock::NowMs());
  if (wait == 0) {
    Write();
  } else if (!timer_->isActive()) {
    // A source that asks again once the frame is over writes then itself;
    // the timer writes the newest only when it falls silent.
    timer_->start(static_cast<int>(platform::Clock::ToRealMs(wait + frameMs_ / 2)));
  }
}

bool PacedWrite::Pending() const { return timer_->isActive(); }

void PacedWrite::Flush() {
  if (timer_->isActive()) Write();
}

void PacedWrite::Cancel() { timer_->stop(); }

void PacedWrite::Write() {
  timer_->stop();
  pacer_.Written(platform::Clock::NowMs());
  write_();
}
