// The device link on its own, with no window made, against the simulated
// device: what it reports to a subscriber while it serves requests, meets a
// silent device and identifies a device; the reports, their data and their
// order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/link/device_link.h"
#include "app/link/link_events.h"
#include "app/link/telegram.h"
#include "platform/clock/clock.h"
#include "platform/forms/timer.h"
#include "platform/serial/com_port.h"
#include "tests/app/link/patient_answers.h"
#include "tests/sim/device/device_simulator.h"
#include "tests/support/qt_test_env.h"
#include "tests/support/scripted_dialogs.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;
using devsim::kForever;

// Writes down every report it hears as one line of text.
class Recorder : public LinkListener {
 public:
  std::vector<std::string> lines;

  // The lines that start with one of `kinds`, in the order they came.
  std::vector<std::string> Of(std::initializer_list<const char*> kinds) const {
    std::vector<std::string> found;
    for (const std::string& line : lines)
      if (std::any_of(kinds.begin(), kinds.end(), [&](const char* k) { return line.rfind(k, 0) == 0; }))
        found.push_back(line);
    return found;
  }
  // Where the first line starting with `kind` stands; lines.size() when none.
  size_t IndexOf(const std::string& kind) const {
    for (size_t i = 0; i < lines.size(); ++i)
      if (lines[i].rfind(kind, 0) == 0) return i;
    return lines.size();
  }

  void PortStateChanged(bool open) override { lines.push_back(open ? "port open" : "port closed"); }
  void ExchangeStarted() override { lines.push_back("exchange"); }
  void LinkReset() override { lines.push_back("reset"); }
  void CommErrorRaised() override { lines.push_back("comm error raised"); }
  void CommErrorShown(const std::string& text) override { lines.push_back("comm error shown " + text); }
  void CommErrorCleared() override { lines.push_back("comm error cleared"); }
  void FrameSent(const std::string& hex, const std::string& chars) override { lines.push_back("sent " + hex); }
  void FrameReceived(const std::string& hex, const std::string& chars) override {
    lines.push_back("received " + hex);
  }
  void StatusByteShown(const std::string& text) override { lines.push_back("status byte " + text); }
  void DeviceStatusReceived(uint8_t status) override { lines.push_back("status " + std::to_string(status)); }
  void DeviceErrorShown(DeviceErrorSign sign) override {
    lines.push_back(sign != DeviceErrorSign::None ? "device error" : "no device error");
  }
  void DeviceAnswered() override { lines.push_back("answered"); }
  void VariantAdapted(const VariantAdaptation& v) override {
    lines.push_back(std::string("variant ") + v.channel1.text + " | " + (v.channel2 ? v.channel2->text : "-") +
                    (v.singleChannel ? " single" : ""));
  }
  void BoardAdapted(const HardwareAdaptation& b) override {
    lines.push_back("board " + std::to_string(b.deviceType) + (b.exbPages ? " exb" : ""));
  }
  void SetupCopyShown(const std::string& text) override { lines.push_back("setup copy " + text); }
  void ConversionModeKnown(bool continuous) override {
    lines.push_back(continuous ? "conversion continuous" : "conversion single");
  }
};

class LinkReports : public ::testing::Test {
 protected:
  // Program milliseconds per real millisecond: a 500 ms pause takes 50 ms.
  static constexpr double kScale = 0.1;
  // Answer time-out for requests that the device answers (6 s at kScale): a
  // reply that a loaded machine delays must not pass for a missing one.
  static constexpr int kPatientTimeoutMs = 60000;

  void SetUp() override {
    TestApplication();
    platform::Clock::SetScale(kScale);
    sim_.AddDevice(1);
    link_ = std::make_unique<DeviceLink>();
    link().ComPort1->SetPort(sim_.SlavePath());
    link().PortUsable = 1;
    // Single failures are forgotten only where a test asks for it.
    link().Timer6->SetEnabled(false);
    link().Events.Subscribe(&recorder_);
    AwaitPromptAnswersPatiently(link(), sim_);
  }
  void TearDown() override {
    link_.reset();
    platform::Clock::SetScale(1.0);
  }

  DeviceLink& link() { return *link_; }

  // Queues a request to address 1 and waits for the link to be idle.
  bool Request(uint8_t command, std::vector<uint8_t> data = {}) {
    if (!link().QueueRequest(link().DeviceAddress, command, data.data(), static_cast<int>(data.size()), 0, 1))
      return false;
    return link().WaitUntilIdle();
  }
  // As Request, for a request that the device answers.
  bool RequestAnswered(uint8_t command, std::vector<uint8_t> data = {}) {
    if (!link().QueueRequest(link().DeviceAddress, command, data.data(), static_cast<int>(data.size()), 0, 1))
      return false;
    for (int i = 0; i < link().PendingCount; ++i)
      if (RequestEntry* e = link().Requests.Find(link().Requests.PendingList[static_cast<size_t>(i)]))
        e->TimeoutMs = kPatientTimeoutMs;
    return link().WaitUntilIdle();
  }

  ScriptedDialogs dialogs_;
  devsim::DeviceSimulator sim_;
  Recorder recorder_;
  std::unique_ptr<DeviceLink> link_;
};

TEST_F(LinkReports, AnAnsweredRequestIsReportedFromTheSendToItsReplyInOrder) {
  link().TraceWindowOn = [] { return true; };
  ASSERT_TRUE(RequestAnswered(CMD_READ_WEIGHT, {0x00, 0x01}));

  const auto sent = sim_.Log().Entries(devsim::Direction::Sent);
  ASSERT_EQ(sent.size(), 1u);
  const std::vector<uint8_t>& reply = sent[0].bytes;
  const uint8_t status = reply[5];  // STX, address, length, command, byte 3, status
  char statusByte[8];
  std::snprintf(statusByte, sizeof statusByte, "0x%.2X", status);
  // The status byte first, then what it says of errors, then of the load.
  EXPECT_EQ(recorder_.Of({"sent", "received", "status", "device error", "no device error"}),
            (std::vector<std::string>{"sent 02 01 05 28 00 00 00 01 FF D0 03 ", "received " + HexTraceLine(reply),
                                      std::string("status byte ") + statusByte, "no device error",
                                      "status " + std::to_string(status)}));
  // The port is opened and the old reception forgotten before the telegram goes out.
  EXPECT_LT(recorder_.IndexOf("port open"), recorder_.IndexOf("exchange"));
  EXPECT_LT(recorder_.IndexOf("exchange"), recorder_.IndexOf("sent"));
}

TEST_F(LinkReports, WithoutTheTraceWindowNoFrameIsReported) {
  link().TraceWindowOn = [] { return false; };
  ASSERT_TRUE(RequestAnswered(CMD_ADC_INFO));
  EXPECT_TRUE(recorder_.Of({"sent", "received"}).empty());
  EXPECT_EQ(recorder_.Of({"status "}).size(), 2u);  // the byte, and what it says of the load
}

TEST_F(LinkReports, ASilentDeviceIsReportedAsACommunicationErrorUntilItsDisplayEnds) {
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).Times(kForever));
  dialogs_.Answer(IDOK);
  for (int i = 0; i < COM_ERROR_LIMIT - 1; ++i) {
    ASSERT_TRUE(Request(CMD_ADC_INFO));
    EXPECT_TRUE(recorder_.Of({"comm error"}).empty());
  }
  ASSERT_TRUE(Request(CMD_ADC_INFO));
  // Raised before the user is told, shown once the link is reset.
  EXPECT_EQ(recorder_.Of({"comm error", "reset"}),
            (std::vector<std::string>{"comm error raised", "reset", "comm error shown Bitte warten..."}));
  EXPECT_EQ(dialogs_.Boxes().size(), 1u);

  ASSERT_TRUE(PumpUntil([&] { return !link().Timer4->Enabled(); }));
  EXPECT_EQ(recorder_.lines.back(), "comm error cleared");
  EXPECT_TRUE(recorder_.Of({"status"}).empty());  // no reply came
}

TEST_F(LinkReports, TheIdentificationReportsTheDeviceItIdentified) {
  struct Case {
    int variant;
    const char* hardware;
    std::vector<std::string> reports;
  };
  const Case cases[] = {
      {22, "1001",
       {"answered", "variant +/- 3 mV/V | 0..10 V", "board ", "setup copy SETUP1", "conversion continuous"}},
      {1, "1001",
       {"answered", "variant +/- 3 mV/V | - single", "board ", "setup copy SETUP1", "conversion continuous"}},
      // An unknown board adapts nothing: no board report.
      {21, "2001", {"answered", "variant +/- 3 mV/V | +/- 3 mV/V", "setup copy SETUP1", "conversion continuous"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("variant " + std::to_string(c.variant) + ", board " + c.hardware);
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) {
      m.variant = static_cast<uint8_t>(c.variant);
      m.hardwareVersion = c.hardware;
      m.activeSetup = 0;
      m.adcMode = 0;
    });
    recorder_.lines.clear();
    ASSERT_EQ(link().IdentifyDevice(), 0);
    std::vector<std::string> reports =
        recorder_.Of({"answered", "variant", "board", "setup copy", "conversion"});
    // The board report carries the device type the link took from it.
    for (std::string& line : reports)
      if (line.rfind("board ", 0) == 0) {
        EXPECT_EQ(line.substr(6, line.find(' ', 6) - 6), std::to_string(link().DeviceType));
        line = "board ";
      }
    EXPECT_EQ(reports, c.reports);
  }
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

}  // namespace
