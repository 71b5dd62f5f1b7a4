#pragma once
// Watches one widget's events and hands chosen ones to a function, for as
// long as its owner lives: the hook belongs to the owner (the control
// wrapper), so a widget that outlives its wrapper never calls into it.
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <functional>

class EventHook final : public QObject {
 public:
  // `handle` returns true to consume the event.
  EventHook(QObject* watched, QObject* owner, std::function<bool(QEvent*)> handle)
      : QObject(owner), watched_(watched), handle_(std::move(handle)) {
    watched->installEventFilter(this);
  }
  ~EventHook() override {
    if (watched_) watched_->removeEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override { return handle_(event); }

 private:
  QPointer<QObject> watched_;
  std::function<bool(QEvent*)> handle_;
};
