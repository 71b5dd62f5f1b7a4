#pragma once
// The service window connected through the link to a simulated device, with
// the set-up editor, the address window and the extension-board values
// window, in a folder of its own (the device log goes into the current
// directory).
#include <QTimer>

#include <algorithm>
#include <bit>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/params/exb_values.h"
#include "app/service/service_window.h"
#include "tests/app/link/test_window_fixture.h"

class ServiceTest : public TestWindowTest {
 protected:
  using TestWindowTest::TestWindowTest;

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

  // Bytes of a set-up section in both of the device's set-up copies.
  void PutDeviceSetup(SetupSection section, int offset, const std::vector<uint8_t>& bytes) {
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) {
      for (int base : {devsim::SETUP_BASE_1, devsim::SETUP_BASE_2})
        std::copy(bytes.begin(), bytes.end(), m.memory.begin() + base + Info(section).copy_offset + offset);
    });
  }
  void PutDeviceSetup(SetupSection section, const std::string& field, const std::vector<uint8_t>& bytes) {
    PutDeviceSetup(section, FieldOf(section, field).offset, bytes);
  }
  static std::vector<uint8_t> Be32(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    return {static_cast<uint8_t>(u >> 24), static_cast<uint8_t>(u >> 16), static_cast<uint8_t>(u >> 8),
            static_cast<uint8_t>(u)};
  }
  static std::vector<uint8_t> BeFloat(float v) { return Be32(std::bit_cast<int32_t>(v)); }

  // The block writes that the device received: device address and bytes, oldest first.
  struct BlockWrite {
    int address;
    std::vector<uint8_t> bytes;
    bool operator==(const BlockWrite&) const = default;
  };
  std::vector<BlockWrite> BlockWrites() const {
    std::vector<BlockWrite> writes;
    for (const auto& f : ReceivedOf(CMD_BLOCK_WRITE)) {
      const std::vector<uint8_t> d = DataOf(f);
      if (d.size() >= 5) writes.push_back({d[0] << 8 | d[1], {d.begin() + 5, d.end()}});
    }
    return writes;
  }
  // Device address of a set-up field in the set-up copy in use.
  static int SetupAddress(SetupSection section, const std::string& field) {
    return SETUP_BASE_1 + Info(section).copy_offset + FieldOf(section, field).offset;
  }

  // A one-channel device whose set-up says so.
  void OneChannelDevice() {
    PutDeviceSetup(SetupSection::WKG0, "mk", {1});
    PutDeviceSetup(SetupSection::ADC, "mode", {0});
    sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.channelCount = 1; });
  }

  static std::vector<std::string> Items(const TComboBox* list) {
    std::vector<std::string> items;
    for (int i = 0; i < list->ItemCount(); ++i) items.push_back(list->Item(i));
    return items;
  }

  // Texts of the message boxes shown so far, oldest first.
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : dialogs_.Boxes()) texts.push_back(box.request.text);
    return texts;
  }

  // Runs `f` from the event loop at its next turn: inside whatever handler pumps then.
  static void Later(std::function<void()> f) { QTimer::singleShot(0, std::move(f)); }

 private:
  std::unique_ptr<TForm18> form18_;
};
