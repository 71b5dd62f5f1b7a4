#pragma once
// The run-time structure viewer, the Profibus test panel and the baud-rate
// window beside the test window, talking through the link to a simulated
// device, in a folder of their own.
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/diag/baud_rate.h"
#include "app/diag/profibus_test.h"
#include "app/diag/runtime_viewer.h"
#include "tests/app/link/test_window_fixture.h"

class RuntimeViewerTest : public TestWindowTest {
 protected:
  void SetUp() override {
    TestWindowTest::SetUp();
    forms_ = std::make_unique<Forms>();
  }
  void TearDown() override {
    forms_.reset();
    TestWindowTest::TearDown();
  }

  TForm12& viewer() { return *Form12; }

  using Data = std::vector<uint8_t>;
  // Data bytes of the requests of one command, oldest first.
  std::vector<Data> DataSent(uint8_t command) const {
    std::vector<Data> all;
    for (const auto& frame : ReceivedOf(command)) all.push_back(DataOf(frame));
    return all;
  }
  // Waits until the device has received `n` requests of `command` and the link is idle.
  bool AwaitSent(uint8_t command, size_t n) {
    return PumpUntil([&] { return ReceivedOf(command).size() >= n && link().PendingCount == 0; },
                     std::chrono::seconds(30));
  }
  // Runs `action` from the event loop as soon as `when` holds, checking every few ms,
  // while the test's own call (a loop) runs.
  void WhenDuringCall(std::function<bool()> when, std::function<void()> action) {
    auto* timer = new QTimer(guard_.get());
    QObject::connect(timer, &QTimer::timeout, timer, [timer, when = std::move(when), action = std::move(action)] {
      if (!when()) return;
      timer->stop();
      action();
    });
    timer->start(5);
  }
  // The texts of several edits.
  template <class Edits>
  static std::vector<std::string> Texts(const Edits& edits) {
    std::vector<std::string> texts;
    for (const auto* e : edits) texts.push_back(e->Text());
    return texts;
  }
  void SetBlock(uint8_t block, Data bytes) {
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) { m.debugBlocks[block] = std::move(bytes); });
  }
  static Data Counting(int from, int n) {
    Data bytes;
    for (int i = 0; i < n; ++i) bytes.push_back(static_cast<uint8_t>(from + i));
    return bytes;
  }

  // Owner of the test's timers; they end with the test.
  QObject* guard() const { return guard_.get(); }

 private:
  struct Forms {
    ScopedForm<TForm12> form12{Form12};
    ScopedForm<TForm14> form14{Form14};
    ScopedForm<TForm2> form2{Form2};
  };
  std::unique_ptr<Forms> forms_;
  std::unique_ptr<QObject> guard_ = std::make_unique<QObject>();
};
