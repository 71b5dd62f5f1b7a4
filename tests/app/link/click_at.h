#pragma once
// A user's click that arrives at a chosen moment: it runs from the event
// loop at the first turn on which `when` holds, so inside whatever wait is
// pumping then, as a real click would.
#include <QTimer>

#include <functional>
#include <utility>

class ClickAt {
 public:
  ClickAt(std::function<bool()> when, std::function<void()> click)
      : when_(std::move(when)), click_(std::move(click)) {
    timer_.setInterval(1);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (clicked_ || !when_()) return;
      clicked_ = true;
      timer_.stop();
      click_();
      done_ = true;
    });
    timer_.start();
  }

  bool Clicked() const { return clicked_; }
  // The click's handler has returned.
  bool Done() const { return done_; }

 private:
  std::function<bool()> when_;
  std::function<void()> click_;
  QTimer timer_;
  bool clicked_ = false;
  bool done_ = false;
};
