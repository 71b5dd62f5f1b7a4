// The device restart of the service window: the reset telegram, the wait per
// device and set-up, the reconnect with the address of the address field,
// and a polling that never runs twice.
#include "tests/app/service/service_fixture.h"

namespace {

class ServiceRestart : public ServiceTest {
 protected:
  using Clock = std::chrono::steady_clock;

  // Real time between the reset telegram and the next request the device received.
  Clock::duration SilenceAfterReset() const {
    const auto entries = sim_.Log().Entries(devsim::Direction::Received);
    for (size_t i = 0; i < entries.size(); ++i)
      if (entries[i].bytes.size() > 3 && entries[i].bytes[3] == CMD_RESET && i + 1 < entries.size())
        return entries[i + 1].time - entries[i].time;
    return Clock::duration::zero();
  }
  static Clock::duration ProgramMs(int ms) {
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::milli>(ms * kScale));
  }
};

struct WaitCase {
  const char* name;
  bool soft;
  bool zeroingChannel2;
  const char* hardware;  // "3001": device type 4
  uint8_t resetByte;
  int waitMs;
};

void PrintTo(const WaitCase& c, std::ostream* os) { *os << c.name; }

class RestartWait : public ServiceRestart, public ::testing::WithParamInterface<WaitCase> {};

TEST_P(RestartWait, ResetsWaitsAndConnectsAgain) {
  const WaitCase& c = GetParam();
  sim_.WithDevice(1, [&](devsim::DeviceModel& m) { m.hardwareVersion = c.hardware; });
  Connect();
  ASSERT_EQ(link().DeviceType, std::string(c.hardware) == "3001" ? 4 : 1);
  auto wkg1 = SectionBytes(link().SetupImage, SetupSection::WKG1);
  wkg1[static_cast<size_t>(FieldOf(SetupSection::WKG1, "enull").offset)] = c.zeroingChannel2 ? 1 : 0;
  link().SoftResetRequested = c.soft ? 1 : 0;
  sim_.Log().Clear();

  window().RestartAndReconnect();
  // It returns with the device connected and polled again.
  EXPECT_EQ(ServiceConnected, 1);
  EXPECT_EQ(PollingActive, 1);
  EXPECT_EQ(link().SoftResetRequested, 0);
  EXPECT_EQ(window().Button1->Caption(), "Trennen");
  const auto resets = ReceivedOf(CMD_RESET);
  ASSERT_EQ(resets.size(), 1u);
  EXPECT_EQ(DataOf(resets[0]), std::vector<uint8_t>{c.resetByte});
  EXPECT_GE(SilenceAfterReset(), ProgramMs(c.waitMs));
  // Identified anew, then polled.
  EXPECT_GT(CountOf(CMD_IDENT_DATA, {1, 3}), 0u);
  ASSERT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 2));
}

INSTANTIATE_TEST_SUITE_P(Cases, RestartWait,
                         ::testing::Values(WaitCase{"Soft", true, false, "1001", 1, 6000},
                                           WaitCase{"SoftWithPowerOnZeroing", true, true, "1001", 1, 10000},
                                           WaitCase{"Hard", false, false, "1001", 0, 8000},
                                           WaitCase{"HardDeviceType4", false, false, "3001", 0, 14500}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ServiceRestart, TwoRestartsInARowLeaveOnePolling) {
  Connect();
  for (int i = 0; i < 2; ++i) {
    window().RestartAndReconnect();
    ASSERT_EQ(ServiceConnected, 1);
    ASSERT_EQ(PollingActive, 1);
    ASSERT_TRUE(window().Polling->RunOpen());
  }
  EXPECT_EQ(CountOf(CMD_RESET), 2u);
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.channels[0].load = 7.0; });
  ASSERT_TRUE(PumpUntil([&] { return window().Label11->Caption() == "1 :       7.00"; }));

  // One disconnect ends all polling.
  window().Button1->Click();
  EXPECT_FALSE(window().Polling->RunOpen());
  const size_t weights = CountOf(CMD_READ_WEIGHT);
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(Request(CMD_ERROR_CODES, {1, 0}));
  ASSERT_TRUE(PumpUntil([&] { return CountOf(CMD_ERROR_CODES) >= 2; }));
  EXPECT_EQ(CountOf(CMD_READ_WEIGHT), weights);
}

TEST_F(ServiceRestart, ARestartFromAHandlerDuringPollingReplacesThePolling) {
  Connect();
  ASSERT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 1));
  // The hardware-reset entry, chosen while a polling cycle waits for the device.
  bool returned = false;
  Later([&] {
    window().ResetVD4171Click(nullptr);
    returned = true;
  });
  ASSERT_TRUE(PumpUntil([&] { return returned; }, std::chrono::seconds(60)));
  EXPECT_EQ(ServiceConnected, 1);
  EXPECT_EQ(PollingActive, 1);
  EXPECT_EQ(DataOf(ReceivedOf(CMD_RESET).at(0)), std::vector<uint8_t>{0});
  ASSERT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 2));
  window().Button1->Click();
  const size_t weights = CountOf(CMD_READ_WEIGHT);
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(Request(CMD_ERROR_CODES, {1, 0}));
  ASSERT_TRUE(PumpUntil([&] { return CountOf(CMD_ERROR_CODES) >= 2; }));
  EXPECT_EQ(CountOf(CMD_READ_WEIGHT), weights);
}

TEST_F(ServiceRestart, TheReconnectTalksToTheAddressOfTheAddressField) {
  sim_.AddDevice(5);
  sim_.WithDevice(5, [](devsim::DeviceModel& m) { m.channels[0].load = 5.5; });
  Connect();
  window().Edit5->SetText("5");
  window().RestartAndReconnect();
  EXPECT_EQ(link().DeviceAddress, 5);
  EXPECT_EQ(link().RequestQueues[1].Present, 0);
  EXPECT_EQ(link().RequestQueues[5].Present, 1);
  EXPECT_TRUE(Form9->PresenceBoxes[4]->Checked());
  EXPECT_EQ(Form9->AddressPanels[4]->Color(), clGreen);
  ASSERT_TRUE(PumpUntil([&] { return window().Label11->Caption() == "1 :       5.50"; }));
  // The reset went to the old address, everything after it to the new one.
  const auto frames = Received();
  bool afterReset = false;
  for (const auto& f : frames) {
    if (f[3] == CMD_RESET) {
      EXPECT_EQ(f[1], 1);
      afterReset = true;
    } else if (afterReset) {
      EXPECT_EQ(f[1], 5) << "command " << int(f[3]);
    }
  }
  EXPECT_TRUE(afterReset);
}

TEST_F(ServiceRestart, TheHardwareResetEntryDoesNothingInDemoMode) {
  window().DemoMode = 1;
  window().ResetVD4171Click(nullptr);
  window().DemoMode = 0;
  EXPECT_TRUE(Received().empty());
  EXPECT_EQ(ServiceConnected, 0);
}

}  // namespace
