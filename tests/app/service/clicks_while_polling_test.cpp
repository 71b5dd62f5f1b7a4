// A user's click while the service window polls: the click arrives while a
// polling request is on its way (in the pause after its send, or in its
// reply wait), and the click's telegrams still reach the device in their
// order, with its questions and messages; also with a device that answers
// each request just before the time-out.
//
// Each row is one click: how the program is prepared, the click, the
// requests it puts on the wire (the polling's weight reads left out), the
// boxes it shows and what it leaves on the screen. A click that restarts the
// device is followed by the reconnect's telegrams, which its row leaves out.
#include <algorithm>
#include <chrono>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/link/setup_image.h"
#include "app/service/load_calibration.h"
#include "tests/app/link/click_at.h"
#include "tests/app/program/program_fixture.h"
#include "tests/support/scoped_form.h"

namespace {

using Requests = std::vector<std::vector<uint8_t>>;
using Phase = TForm1::LinkPhase;

class ClicksWhilePolling;

struct ClickCase {
  std::string name;
  std::function<void(ClicksWhilePolling&)> prepare;  // before the click; scripts the boxes' answers
  std::function<void(ClicksWhilePolling&)> click;
  std::function<Requests(ClicksWhilePolling&)> requests;
  std::vector<std::string> boxes;
  std::function<void(ClicksWhilePolling&)> check;  // what the click leaves, once its requests are out
  std::function<void(devsim::DeviceSimulator&)> devices = nullptr;  // the simulated devices, before the start
  bool thenReconnects = false;  // the click's requests end with a soft reset
};

struct Timing {
  std::string name;
  Phase moment;  // of the polling request when the click arrives
  bool slowDevice;
};

void PrintTo(const ClickCase& c, std::ostream* os) { *os << c.name; }
void PrintTo(const Timing& t, std::ostream* os) { *os << t.name; }

// A device that answers just before the time-out: the reply comes this long
// after the request, while the wait ends after the pause and the 700 ms.
constexpr int kSlowReplyMs = SEND_PAUSE_MS + DEFAULT_ANSWER_TIMEOUT_MS - 200;
// The slow device's replies are late in real time, so its tests run the program clock at real speed.
constexpr double kRealSpeed = 1.0;

class ClicksWhilePolling : public ProgramTest,
                           public ::testing::WithParamInterface<std::tuple<ClickCase, Timing>> {
 public:
  ClicksWhilePolling()
      : ProgramTest(std::get<1>(GetParam()).slowDevice ? kRealSpeed : kScale) {}

  using ProgramTest::link;
  using ProgramTest::service;
  ScriptedDialogs& dialogs() { return dialogs_; }
  TForm3& editor() { return *Form3; }
  TForm22& loadCalibration() {
    if (!form22_) form22_ = std::make_unique<ScopedForm<TForm22>>(Form22);
    return *Form22;
  }
  devsim::DeviceSimulator& sim() { return sim_; }

  // Request frames as command and data bytes, received since the click, the
  // polling's weight reads left out.
  Requests ClickRequests() const {
    Requests requests = ReceivedRequests();
    requests.erase(requests.begin(), requests.begin() + static_cast<std::ptrdiff_t>(receivedBeforeClick_));
    std::erase_if(requests, [](const std::vector<uint8_t>& r) {
      return r.size() == 2 && r[0] == CMD_READ_WEIGHT && (r[1] == 0x0A || r[1] == 0x14);
    });
    return requests;
  }
  std::vector<std::string> ClickBoxes() const {
    std::vector<std::string> texts;
    for (size_t i = boxesBeforeClick_; i < dialogs_.Boxes().size(); ++i)
      texts.push_back(dialogs_.Boxes()[i].request.text);
    return texts;
  }

  void NoteBeforeClick() {
    receivedBeforeClick_ = ReceivedRequests().size();
    boxesBeforeClick_ = dialogs_.Boxes().size();
  }

 protected:
  void TearDown() override {
    sim_.ClearFaults(1);
    form22_.reset();
    ProgramTest::TearDown();
  }

  size_t WeightReads() const {
    const Requests requests = ReceivedRequests();
    return static_cast<size_t>(std::count(requests.begin(), requests.end(), std::vector<uint8_t>{CMD_READ_WEIGHT, 0x0A}));
  }

  // A polling weight read is at `moment`.
  bool PollingAt(Phase moment) const {
    if (PollingActive != 1 || Form1->Phase() != moment) return false;
    const Requests requests = ReceivedRequests();
    return !requests.empty() && requests.back() == std::vector<uint8_t>{CMD_READ_WEIGHT, 0x0A};
  }

 private:
  std::unique_ptr<ScopedForm<TForm22>> form22_;
  size_t receivedBeforeClick_ = 0;
  size_t boxesBeforeClick_ = 0;
};

// Command and data of one block read.
std::vector<uint8_t> BlockRead(int address, int count) {
  return {CMD_BLOCK_READ, static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address & 0xFF), 0,
          static_cast<uint8_t>(count >> 8), static_cast<uint8_t>(count & 0xFF)};
}

// Command and data of one block write.
std::vector<uint8_t> BlockWrite(int address, std::vector<uint8_t> bytes) {
  std::vector<uint8_t> request{CMD_BLOCK_WRITE, static_cast<uint8_t>(address >> 8),
                               static_cast<uint8_t>(address & 0xFF), 0,
                               static_cast<uint8_t>(bytes.size() >> 8), static_cast<uint8_t>(bytes.size() & 0xFF)};
  std::copy(bytes.begin(), bytes.end(), std::back_inserter(request));
  return request;
}

// The device at address 1 has that address on its switch and in its set-up,
// so that it is found there again after a restart.
void BusAddressInSetup(devsim::DeviceSimulator& sim) {
  sim.WithDevice(1, [](devsim::DeviceModel& m) {
    m.dipAddress = 1;
    for (int base : {devsim::SETUP_BASE_1, devsim::SETUP_BASE_2})
      m.memory[static_cast<size_t>(base + Info(SetupSection::LPC).copy_offset + FieldOf(SetupSection::LPC, "rs485_adr").offset)] = 1;
  });
}

// After a restart the window is connected and polls again.
void ExpectReconnected() {
  EXPECT_TRUE(PumpUntil([] { return ServiceConnected == 1 && PollingActive == 1; }, std::chrono::seconds(60)));
}

const std::vector<ClickCase>& Cases() {
  static const std::vector<ClickCase> cases = {
      {"ZeroButton",
       [](ClicksWhilePolling&) {},
       [](ClicksWhilePolling& t) { t.service().Button5->Click(); },
       [](ClicksWhilePolling&) { return Requests{{CMD_ZERO, 1}}; },
       {},
       [](ClicksWhilePolling&) { EXPECT_EQ(ZeroTareRequest1, 0); }},
      {"TareButtonOfChannel2",
       [](ClicksWhilePolling& t) { t.service().Tarierung1Click(nullptr); },
       [](ClicksWhilePolling& t) { t.service().Button7->Click(); },
       [](ClicksWhilePolling&) { return Requests{{CMD_TARE, 2, 1}}; },
       {},
       [](ClicksWhilePolling& t) {
         // The device tared channel 2: the polling shows its net weight 0.
         EXPECT_TRUE(PumpUntil([&] { return t.service().Label21->Caption() == "2 :       0.00"; },
                               std::chrono::seconds(30)));
       }},
      {"Beenden",
       [](ClicksWhilePolling& t) {
         SetupModified = 1;
         t.dialogs().Answer(IDNO);
       },
       [](ClicksWhilePolling& t) { t.service().Button2->Click(); },
       [](ClicksWhilePolling&) {
         // The hold, the value stream of the disconnect, and the value stream at the end.
         return Requests{{CMD_HOLD_CYCLIC, 0}, {CMD_VALUE_STREAM, 1, 2}, {CMD_VALUE_STREAM, 1, 2}};
       },
       {"Änderungen im Gerät speichern?"},
       [](ClicksWhilePolling& t) {
         EXPECT_FALSE(t.service().Visible());
         EXPECT_EQ(ServiceConnected, 0);
         EXPECT_EQ(PollingActive, 0);
       }},
      {"SetupEditorReadsThePageAdc2",
       [](ClicksWhilePolling& t) { t.dialogs().Answer(IDOK); },
       [](ClicksWhilePolling& t) { t.editor().Button38->Click(); },
       [](ClicksWhilePolling&) {
         return Requests{BlockRead(SetupBase + Info(SetupSection::ADC).copy_offset, 128),
                         BlockRead(SetupBase + Info(SetupSection::ADC).copy_offset + 128, 116)};
       },
       {"OK!"},
       [](ClicksWhilePolling& t) { EXPECT_EQ(t.link().TransferFailed, 0); }},
      {"TestWindowReadsTheWeight",
       [](ClicksWhilePolling&) {},
       [](ClicksWhilePolling& t) { t.link().Button9Click(nullptr); },
       [](ClicksWhilePolling& t) {
         return Requests{{CMD_READ_WEIGHT, 0, static_cast<uint8_t>(t.link().ActiveChannel + 1)}};
       },
       {},
       [](ClicksWhilePolling& t) {
         // The window shows the answer to its own request: channel 1 alone.
         EXPECT_EQ(t.link().Label29->Caption(), "1");
         EXPECT_FALSE(t.link().Label22->Caption().empty());
       }},
      {"SamplingRateChange",
       [](ClicksWhilePolling& t) {
         t.dialogs().Answer(IDYES);
         t.dialogs().Answer(IDOK);
       },
       [](ClicksWhilePolling& t) {
         t.service().ComboBox4Enter(nullptr);
         t.service().ComboBox4->UserSelect(3);
       },
       [](ClicksWhilePolling&) { return Requests{BlockWrite(SetupBase + 0x119, {3}), {CMD_RESET, 1}}; },
       {"Neue Abtastrate übernehmen?", "Neue Abtastrate wird nach Neustart des Gerätes aktiviert!"},
       [](ClicksWhilePolling& t) {
         ExpectReconnected();
         EXPECT_EQ(t.service().ComboBox4->ItemIndex(), 3);
         EXPECT_EQ(t.link().DeviceAddress, 1);
       },
       BusAddressInSetup, true},
      {"AddressOk",
       [](ClicksWhilePolling& t) {
         t.service().Edit5->SetText("5");
         ASSERT_TRUE(t.service().Button6->Visible());
         t.dialogs().Answer(IDYES);
       },
       [](ClicksWhilePolling& t) { t.service().Button6->Click(); },
       [](ClicksWhilePolling&) { return Requests{BlockWrite(SetupBase + 0x1D, {5}), {CMD_RESET, 1}}; },
       {"Neue Adresse im Gerät speichern?"},
       [](ClicksWhilePolling& t) {
         ExpectReconnected();
         EXPECT_EQ(t.link().DeviceAddress, 5);
         EXPECT_FALSE(t.service().Button6->Visible());
         EXPECT_EQ(SetupModified, 1);
       },
       [](devsim::DeviceSimulator& sim) {
         // An RS-485 device of variant 3 at address 1, and the same device once it answers at 5.
         auto variant3 = [](devsim::DeviceModel& m) {
           m.variant = 3;
           m.hardwareVersion = "1002";
         };
         sim.WithDevice(1, variant3);
         devsim::DeviceModel moved;
         variant3(moved);
         sim.AddDevice(5, moved);
       },
       true},
      {"LoadCalibrationEntry",
       [](ClicksWhilePolling& t) { t.loadCalibration(); },
       [](ClicksWhilePolling& t) { t.service().Kanal1->Click(); },
       [](ClicksWhilePolling&) { return Requests{{CMD_ADC_MODE, 0, 0}, {CMD_SELECT_CHANNEL, 1}}; },
       {},
       [](ClicksWhilePolling& t) {
         EXPECT_TRUE(t.loadCalibration().Visible());
         EXPECT_EQ(PollingActive, 0);
         EXPECT_EQ(t.service().StatusBar1->Panel(3).Text, "CONT");
       }},
  };
  return cases;
}

const std::vector<Timing>& Timings() {
  static const std::vector<Timing> timings = {
      {"InThePauseAfterASend", Phase::Pausing, false},
      {"InAReplyWaitOfASlowDevice", Phase::AwaitingReply, true},
  };
  return timings;
}

TEST_P(ClicksWhilePolling, TheClicksTelegramsGoOutInOrderWithItsMessages) {
  const auto& [c, timing] = GetParam();
  if (c.devices) c.devices(sim_);
  Start();
  service().Button1Click(nullptr);
  ASSERT_EQ(ServiceConnected, 1);
  ASSERT_EQ(PollingActive, 1);
  if (timing.slowDevice) {
    // Once the connect's last telegrams are answered: a late answer to a
    // request sent without awaiting one would land in the next transaction.
    const size_t weightReads = WeightReads();
    ASSERT_TRUE(PumpUntil([&] { return WeightReads() >= weightReads + 2; }, std::chrono::seconds(60)));
    sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::Delay).DelayMs(kSlowReplyMs).Times(devsim::kForever));
  }
  c.prepare(*this);

  ClickAt click([&] { return PollingAt(timing.moment); },
                [&] {
                  NoteBeforeClick();
                  c.click(*this);
                });
  ASSERT_TRUE(PumpUntil([&] { return click.Done(); }, std::chrono::seconds(60)))
      << "the click did not come while a polling request was on its way";

  const Requests expected = c.requests(*this);
  ASSERT_TRUE(PumpUntil([&] { return ClickRequests().size() >= expected.size(); }, std::chrono::seconds(60)));
  Requests requests = ClickRequests();
  if (c.thenReconnects && requests.size() > expected.size()) requests.resize(expected.size());
  EXPECT_EQ(requests, expected);
  EXPECT_EQ(ClickBoxes(), c.boxes);
  c.check(*this);
}

INSTANTIATE_TEST_SUITE_P(Clicks, ClicksWhilePolling, ::testing::Combine(::testing::ValuesIn(Cases()),
                                                                         ::testing::ValuesIn(Timings())),
                         [](const auto& info) {
                           return std::get<0>(info.param).name + "_" + std::get<1>(info.param).name;
                         });

}  // namespace
