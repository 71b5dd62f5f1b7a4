#pragma once
// Watches one widget's events and hands chosen ones to a function.
#include <QEvent>
#include <QObject>
#include <functional>

class EventHook final : public QObject {
 public:
  // `handle` returns true to consume the event.
  EventHook(QObject* watched, std::function<bool(QEvent*)> handle)
      : QObject(watched), handle_(std::move(handle)) {
    watched->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override { return handle_(event); }

 private:
  std::function<bool(QEvent*)> handle_;
};
