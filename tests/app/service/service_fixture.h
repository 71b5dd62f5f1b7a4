#pragma once
// The service window connected through the link to a simulated device, with
// the set-up editor, the address window and the extension-board values
// window, in a folder of its own (the device log goes into the current
// directory).
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/params/exb_values.h"
#include "app/service/service_window.h"
#include "tests/app/link/test_window_fixture.h"

class ServiceTest : public TestWindowTest {
 protected:
  void SetUp() override {
    TestWindowTest::SetUp();
    // The set-up read shows the address that the device's switch sets; it is the device's bus address.
    sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.dipAddress = 1; });
    form18_ = std::make_unique<TForm18>();
    Form18 = form18_.get();
    PollingActive = 0;
    IdentifyDone = 0;
    ReconnectAfterRead = 0;
    ZeroTareRequest1 = 0;
    ZeroTareRequest2 = 0;
    SetupReadRunning = 0;
    SetupWriteRunning = 0;
  }

  void TearDown() override {
    // A connection still open is closed first, so that no polling outlives the test.
    if (ServiceConnected == 1 && Form21->DemoMode == 0) Form21->Button1Click(nullptr);
    PollingActive = 0;
    Form18 = nullptr;
    form18_.reset();
    TestWindowTest::TearDown();
  }

  TForm21& window() { return *Form21; }

  // Clicks "Verbinden" and expects the connection to stand, polling.
  void Connect() {
    window().Button1->Click();
    ASSERT_EQ(ServiceConnected, 1);
    ASSERT_EQ(PollingActive, 1);
    ASSERT_EQ(window().Button1->Caption(), "Trennen");
  }

  // Waits until the device has received `n` more requests of `command`
  // (with `data` when given) than it had when `since` was counted.
  bool AwaitRequests(uint8_t command, size_t n, std::vector<uint8_t> data = {}) {
    const size_t before = CountOf(command, data);
    return PumpUntil([&] { return CountOf(command, data) >= before + n; }, std::chrono::seconds(30));
  }
  size_t CountOf(uint8_t command, const std::vector<uint8_t>& data = {}) const {
    size_t n = 0;
    for (const auto& f : ReceivedOf(command))
      if (data.empty() || DataOf(f) == data) ++n;
    return n;
  }

  // Runs `f` from the event loop at its next turn: inside whatever handler pumps then.
  static void Later(std::function<void()> f) { QTimer::singleShot(0, std::move(f)); }

 private:
  std::unique_ptr<TForm18> form18_;
};
