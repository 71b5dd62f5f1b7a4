#pragma once
// One QApplication for the test program, and waits on its event loop with a deadline.
#include <QApplication>
#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <functional>

inline QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "serial_tests";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt objects must not outlive the program's exit handlers.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// Handles events until `done` holds or the time-out passes; true when it held.
inline bool PumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
  TestApp();
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(1);
  }
  return true;
}
