// Ending the program from the service window: while it polls, the end does
// not wait for the user, the device's cyclic output is held before the link
// is flushed, and nothing polls afterwards; changed channel fields are
// offered for storing (not in demo mode), a device whose set-up asks for
// continuous output is reset, and the device's value stream is on when the
// program has ended. The telegrams on the wire show each step in its order.
#include <ostream>

#include "app/link/setup_image.h"
#include "tests/app/program/program_fixture.h"

namespace {

class EndWhilePolling : public ProgramTest {};

TEST_F(EndWhilePolling, BeendenEndsThePollingAndHoldsTheDeviceOutput) {
  Start();
  service().Button1Click(nullptr);
  ASSERT_EQ(ServiceConnected, 1);
  ASSERT_EQ(PollingActive, 1);
  ASSERT_TRUE(PumpUntil([&] { return service().Label11->Caption() == "1 :      12.50"; }));
  // A changed channel field: the end asks, and the answer No ends at once.
  SetupModified = 1;
  dialogs_.Answer(IDNO);
  sim_.Log().Clear();

  service().Button2Click(nullptr);
  EXPECT_FALSE(service().Visible());
  EXPECT_EQ(ServiceConnected, 0);
  EXPECT_EQ(PollingActive, 0);
  EXPECT_FALSE(service().Polling->RunOpen());
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Änderungen im Gerät speichern?");

  const auto requests = ReceivedRequests();
  // The hold reaches the device (a request that is only queued would be dropped by the next flush).
  const auto hold = std::find(requests.begin(), requests.end(), std::vector<uint8_t>{CMD_HOLD_CYCLIC, 0});
  ASSERT_NE(hold, requests.end());
  for (auto it = hold; it != requests.end(); ++it) EXPECT_NE((*it)[0], CMD_READ_WEIGHT);
  EXPECT_EQ(requests.back(), (std::vector<uint8_t>{CMD_VALUE_STREAM, 1, 2}));
  // Later events poll nothing.
  const size_t count = Received().size();
  ASSERT_TRUE(PumpUntil([&] { return link().PendingCount == 0; }));
  TestApplication().ProcessMessages();
  EXPECT_EQ(Received().size(), count);
}

using Request = std::vector<uint8_t>;

const char* const kStoreChanges = "Änderungen im Gerät speichern?";
const char* const kOverwrite = "ACHTUNG!\nVorhandene Kalibrierdaten werden überschrieben!\n\nMöchten Sie fortsetzen?";
const Request kHold{CMD_HOLD_CYCLIC, 0};
const Request kRelease{CMD_HOLD_CYCLIC, 1};
const Request kWrites{CMD_BLOCK_WRITE};  // a run of set-up writes
const Request kSoftReset{CMD_RESET, 1};
const Request kReset{CMD_RESET, 0};
const Request kStreamOn{CMD_VALUE_STREAM, 1, 2};

struct EndCase {
  const char* name;
  bool demo;
  bool edited;     // a channel field changed since the set-up was read
  uint8_t sdcont;  // the device's set-up asks for continuous output
  std::vector<int> answers;
  std::vector<std::string> boxes;
  std::vector<Request> wire;  // the requests of the end, in their order
};

void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }

class ProgramEnd : public ProgramTest, public ::testing::WithParamInterface<EndCase> {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    // A writable two-channel set-up; the device's address switch sets its bus address.
    DeviceSetup(SetupSection::ADM, "setup", 1);
    DeviceSetup(SetupSection::WKG0, "mk", 2);
    DeviceSetup(SetupSection::ADC, "mode", 1);
    sim_.WithDevice(1, [](devsim::DeviceModel& m) {
      m.dipAddress = 1;
      // A real device takes a while to restart; it answers nothing meanwhile.
      m.restartSilenceMs = 300;
    });
  }

  // A field of the device's set-up, in both of its copies.
  void DeviceSetup(SetupSection section, const char* field, uint8_t value) {
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) {
      for (int base : {devsim::SETUP_BASE_1, devsim::SETUP_BASE_2})
        m.memory[static_cast<size_t>(base + Info(section).copy_offset + FieldOf(section, field).offset)] = value;
    });
  }
  int32_t DeviceInt32(SetupSection section, const char* field) const {
    const devsim::DeviceModel m = sim_.Model(1);
    const auto a = static_cast<size_t>(SETUP_BASE_1 + Info(section).copy_offset + FieldOf(section, field).offset);
    return static_cast<int32_t>(uint32_t{m.memory[a]} << 24 | uint32_t{m.memory[a + 1]} << 16 |
                                uint32_t{m.memory[a + 2]} << 8 | m.memory[a + 3]);
  }

  // The requests since the log was cleared, a run of block writes as one.
  std::vector<Request> Wire() const {
    std::vector<Request> wire;
    for (const Request& r : ReceivedRequests()) {
      const Request entry = r[0] == CMD_BLOCK_WRITE ? kWrites : r;
      if (wire.empty() || wire.back() != kWrites || entry != kWrites) wire.push_back(entry);
    }
    return wire;
  }
};

TEST_P(ProgramEnd, SendsEachStepInItsOrderAndLeavesTheStreamOn) {
  const EndCase& c = GetParam();
  DeviceSetup(SetupSection::LPC, "sdcont", c.sdcont);
  Start();
  if (c.demo) {
    service().DemoMode1Click(nullptr);
    ASSERT_EQ(service().DemoMode, 1);
  } else {
    service().Button1Click(nullptr);
    ASSERT_EQ(ServiceConnected, 1);
    ASSERT_EQ(link().SetupPresent, 1);
  }
  if (c.edited) {
    // The channel fields as a technician fills them.
    service().Edit1->SetText("30");
    service().ComboBox3->SetText("5");
    service().Edit2->SetText("1,5");
    service().Edit3->SetText("1000");
    service().ComboBox7->SetText("4");
    service().Edit4->SetText("-2");
    ASSERT_EQ(SetupModified, 1);
  }
  for (int answer : c.answers) dialogs_.Answer(answer);
  sim_.Log().Clear();

  service().Button2Click(nullptr);
  ASSERT_TRUE(PumpUntil([&] { return link().PendingCount == 0; }));

  std::vector<std::string> shown;
  for (const auto& box : dialogs_.Boxes()) shown.push_back(box.request.text);
  EXPECT_EQ(shown, c.boxes);
  EXPECT_EQ(Wire(), c.wire);
  // The program has ended with the settings stored and the device's value stream on.
  EXPECT_FALSE(service().Visible());
  EXPECT_EQ(ServiceConnected, 0);
  EXPECT_EQ(link().SettingsStored, 1);
  EXPECT_TRUE(QFile::exists(QString::fromStdString(IniPath())));
  const devsim::DeviceModel device = sim_.Model(1);
  EXPECT_TRUE(device.streamRunning);
  EXPECT_EQ(device.streamKind, 2);
  EXPECT_EQ(link().SoftResetRequested, 0);
  if (c.answers.size() == 2) {
    // Stored: the typed nominal value is in the device, and the question is settled.
    EXPECT_EQ(DeviceInt32(SetupSection::CHN0, "ch_b[0][0]_sk"), 30000);
    EXPECT_EQ(SetupModified, 0);
  }
}

// A connected window's disconnect starts the device's stream (the second
// element of each connected case); the end starts it once more at last.
INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramEnd,
    ::testing::Values(
        EndCase{"unchanged", false, false, 0, {}, {}, {kHold, kStreamOn, kStreamOn}},
        EndCase{"declined", false, true, 0, {IDNO}, {kStoreChanges}, {kHold, kStreamOn, kStreamOn}},
        // Yes: the set-up write (the sensitivity points first, then the sections
        // under the held output) with its restart, and no connect after it.
        EndCase{"stored", false, true, 0, {IDYES, IDYES}, {kStoreChanges, kOverwrite},
                {kHold, kStreamOn, kWrites, kHold, kWrites, kRelease, kWrites, kSoftReset, kStreamOn}},
        // The reset reaches the device, and the device is back, before the stream starts.
        EndCase{"continuousOutput", false, false, 1, {}, {}, {kHold, kStreamOn, kReset, kStreamOn}},
        EndCase{"storedWithContinuousOutput", false, true, 1, {IDYES, IDYES}, {kStoreChanges, kOverwrite},
                {kHold, kStreamOn, kWrites, kHold, kWrites, kRelease, kWrites, kSoftReset, kReset, kStreamOn}},
        // No question in demo mode, whatever was edited; nothing to disconnect, the stream starts all the same.
        EndCase{"demoMode", true, true, 0, {}, {}, {kHold, kStreamOn}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
