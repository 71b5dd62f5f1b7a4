#include "tests/support/qt_test_env.h"

#include <QCoreApplication>
#include <QThread>

TApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "tests";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt's own objects must not outlive the program's exit handlers.
  static TApplication* application = new TApplication(argc, argv);
  return *application;
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(1);
  }
  return true;
}
