#pragma once
// A write to the screen that a fast source asks for more often than a screen
// shows: done at once when the last one is a display frame old; else the
// source's next request after the frame does it, or, when none comes within
// half a frame more, a timer, showing what is newest then.
#include <QObject>
#include <functional>

#include "app/link/stream_display.h"

class QTimer;

class PacedWrite {
 public:
  // frameMs: program milliseconds of a display frame. The write runs on the
  // owner's thread, also from its timer.
  PacedWrite(QObject* owner, int64_t frameMs, std::function<void()> write);
  PacedWrite(const PacedWrite&) = delete;
  PacedWrite& operator=(const PacedWrite&) = delete;

  void Request();
  bool Pending() const;
  // A pending write is done now, or dropped.
  void Flush();
  void Cancel();

 private:
  void Write();
  DisplayPacer pacer_;
  int64_t frameMs_;
  QTimer* timer_;
  std::function<void()> write_;
};
