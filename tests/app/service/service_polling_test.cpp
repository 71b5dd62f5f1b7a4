// The weight polling of the connected service window: zero and tare, the sum
// channel, the input signals, the extension board, the language of its
// status line, its pause, and the device log it writes.
#include <filesystem>
#include <regex>

#include "tests/app/service/service_fixture.h"
#include "tests/support/file_size_limit.h"

namespace {

class ServicePollingTest : public ServiceTest {
 protected:
  // The device's set-up with the sum channel on (in `mode` 0 sum, 1
  // difference), in single conversion mode and the two-channel ADC mode,
  // which keep it on.
  void SumChannel(uint8_t mode) {
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) {
      m.adcMode = 1;
      m.sumIsDifference = mode == 1;
      for (int base : {devsim::SETUP_BASE_1, devsim::SETUP_BASE_2}) {
        m.memory[static_cast<size_t>(base + Info(SetupSection::WKS).copy_offset)] = 1;
        m.memory[static_cast<size_t>(base + Info(SetupSection::WKS).copy_offset + 1)] = mode;
        m.memory[static_cast<size_t>(base + Info(SetupSection::ADC).copy_offset +
                                     FieldOf(SetupSection::ADC, "mode").offset)] = 1;
      }
    });
    // Every connect reads the set-up.
    link().Options.setup_reconnect = 1;
  }
  std::vector<std::vector<uint8_t>> WeightRequests() const { return ReceivedOf(CMD_READ_WEIGHT); }
};

TEST_F(ServicePollingTest, ZeroAndTareGoOutOnePerCycleChannelOneFirst) {
  Connect();
  ASSERT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 1));
  // Both buttons at once: channel 1 in this cycle, channel 2 in the next.
  window().Button5->Click();
  window().Button7->Click();
  ASSERT_TRUE(PumpUntil([&] { return CountOf(CMD_ZERO) == 2; }, std::chrono::seconds(30)));
  std::vector<std::vector<uint8_t>> zeroAndWeights;
  for (const auto& f : Received())
    if (f[3] == CMD_ZERO) zeroAndWeights.push_back({f[3], DataOf(f)[0]});
    else if (f[3] == CMD_READ_WEIGHT && !zeroAndWeights.empty()) zeroAndWeights.push_back({f[3]});
  ASSERT_GE(zeroAndWeights.size(), 3u);
  EXPECT_EQ(zeroAndWeights[0], (std::vector<uint8_t>{CMD_ZERO, 1}));
  EXPECT_EQ(zeroAndWeights[1], (std::vector<uint8_t>{CMD_READ_WEIGHT}));
  EXPECT_EQ(zeroAndWeights[2], (std::vector<uint8_t>{CMD_ZERO, 2}));
  EXPECT_EQ(ZeroTareRequest1, 0);
  EXPECT_EQ(ZeroTareRequest2, 0);

  // "Tarierung": the buttons read "T" and tare.
  window().Tarierung1Click(nullptr);
  EXPECT_EQ(window().Button5->Caption(), "T");
  EXPECT_EQ(link().Options.button_tar_null, 1);
  window().Button7->Click();
  ASSERT_TRUE(PumpUntil([&] { return CountOf(CMD_TARE) == 1; }, std::chrono::seconds(30)));
  EXPECT_EQ(DataOf(ReceivedOf(CMD_TARE).front()), (std::vector<uint8_t>{2, 1}));
  EXPECT_EQ(CountOf(CMD_ZERO), 2u);
  // The device tared channel 2: its net weight is 0.
  ASSERT_TRUE(PumpUntil([&] { return window().Label21->Caption() == "2 :       0.00"; }));
}

TEST_F(ServicePollingTest, SumAndDifferenceChannel) {
  struct Case {
    uint8_t mode;
    const char* shown;
  };
  for (const Case& c : {Case{0, "SUM :      15.50"}, Case{1, "DIFF :       9.50"}}) {
    SCOPED_TRACE(c.shown);
    SumChannel(c.mode);
    Connect();
    EXPECT_TRUE(window().Label24->Visible());
    ASSERT_TRUE(PumpUntil([&] { return window().Label24->Caption() == c.shown; }));
    EXPECT_GT(CountOf(CMD_READ_WEIGHT, {0x14}), 0u);
    window().Button1->Click();
  }
}

TEST_F(ServicePollingTest, ContinuousConversionSwitchesTheSumChannelOff) {
  SumChannel(0);
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.adcMode = 0; });
  // The first connect reads the set-up after switching the sum off, so the
  // device's set-up has the last word.
  Connect();
  ASSERT_EQ(SectionBytes(link().SetupImage, SetupSection::WKS)[0], 1);
  window().Button1->Click();
  // A connect that does not read the set-up keeps it off.
  link().Options.setup_reconnect = 0;
  Connect();
  EXPECT_EQ(SectionBytes(link().SetupImage, SetupSection::WKS)[0], 0);
  const size_t sums = CountOf(CMD_READ_WEIGHT, {0x14});
  ASSERT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 3));
  EXPECT_EQ(CountOf(CMD_READ_WEIGHT, {0x14}), sums);
}

TEST_F(ServicePollingTest, InputSignalsAndExtensionBoardWhileSwitchedOn) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.channels[0].millivoltPerVolt = 1.25;
    m.channels[1].millivoltPerVolt = -0.5;
    m.exbFitted = true;
    m.exbInputs = 0x09;
    m.encoderRaw = 1234;
    m.encoderScaled = 2.5f;
    m.relays = 0x01;
  });
  Connect();
  window().Label3Click(nullptr);
  window().Inkrementalwerte1Click(nullptr);
  EXPECT_TRUE(Form18->Visible());
  ASSERT_TRUE(PumpUntil([&] { return Form18->Label31->Caption() == "1234"; }));
  EXPECT_EQ(Form18->Label30->Caption(), "9");
  EXPECT_EQ(Form18->Label32->Caption(), "2.500");
  EXPECT_TRUE(Form18->CheckBox9->Checked());
  ASSERT_TRUE(PumpUntil([&] { return !window().Label23->Caption().empty() && !window().Label25->Caption().empty(); }));
  EXPECT_TRUE(window().Label23->Visible());
  EXPECT_GT(CountOf(CMD_ADC_MILLIVOLT, {1, 1}), 0u);
  EXPECT_GT(CountOf(CMD_ADC_MILLIVOLT, {2, 1}), 0u);

  // Unticked: no more board requests, the window keeps its last values.
  window().Inkrementalwerte1Click(nullptr);
  EXPECT_FALSE(Form18->Visible());
  const size_t boardReads = CountOf(CMD_READ_EXB_VALUES);
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.encoderRaw = 99; });
  ASSERT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 3));
  EXPECT_LE(CountOf(CMD_READ_EXB_VALUES), boardReads + 1);  // at most the one of the running cycle
  EXPECT_EQ(Form18->Label31->Caption(), "1234");
}

TEST_F(ServicePollingTest, ABoardOrSignalThatDoesNotAnswerIsShownAsNotCurrent) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.encoderRaw = 42;
    m.exbInputs = 0x01;
    m.relays = 0x02;
    m.channels[0].millivoltPerVolt = 1.25;
  });
  Connect();
  window().Inkrementalwerte1Click(nullptr);
  ASSERT_TRUE(PumpUntil([&] { return Form18->Label31->Caption() == "42"; }));
  ASSERT_TRUE(Form18->CheckBox5->Checked());
  ASSERT_TRUE(Form18->CheckBox10->Checked());
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.encoderRaw = 43; });
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).On(CMD_READ_EXB_VALUES).Times(2));
  ASSERT_TRUE(PumpUntil([&] { return Form18->Label31->Caption() == "-"; }));
  for (TLabel* value : {Form18->Label30, Form18->Label32, Form18->Label33}) EXPECT_EQ(value->Caption(), "-");
  for (TCheckBox* box : {Form18->CheckBox5, Form18->CheckBox6, Form18->CheckBox7, Form18->CheckBox8, Form18->CheckBox9,
                         Form18->CheckBox10})
    EXPECT_FALSE(box->Checked()) << box->Name();
  ASSERT_TRUE(PumpUntil([&] { return Form18->Label31->Caption() == "43"; }));

  // The input signal likewise.
  window().Inkrementalwerte1Click(nullptr);
  window().Label3Click(nullptr);
  ASSERT_TRUE(PumpUntil([&] { return window().Label23->Caption().find("1.25") != std::string::npos; }));
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::WrongChecksum).On(CMD_ADC_MILLIVOLT).Times(2));
  ASSERT_TRUE(PumpUntil([&] { return window().Label23->Caption() == "-"; }));
  ASSERT_TRUE(PumpUntil([&] { return window().Label23->Caption().find("1.25") != std::string::npos; }));
}

TEST_F(ServicePollingTest, ALinkThatRefusesRequestsShowsNoWeightsAndKeepsTheWindowAlive) {
  Connect();
  ASSERT_TRUE(PumpUntil([&] { return window().Label11->Caption() == "1 :      12.50"; }));
  // The port is gone: every request is refused, the cycles go on without traffic.
  link().PortUsable = 0;
  ASSERT_TRUE(PumpUntil([&] { return link().PendingCount == 0; }));
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.channels[0].load = 8.0; });
  const size_t frames = Received().size();
  bool handled = false;
  Later([&] { handled = true; });
  ASSERT_TRUE(PumpUntil([&] { return handled; }));
  EXPECT_EQ(PollingActive, 1);
  EXPECT_EQ(Received().size(), frames);
  // No weight came: none is shown as current.
  ASSERT_TRUE(PumpUntil([&] { return window().Label11->Caption() == "-"; }));
  // The port is back: the polling shows the new weight.
  link().PortUsable = 1;
  ASSERT_TRUE(PumpUntil([&] { return window().Label11->Caption() == "1 :       8.00"; }));
}

TEST_F(ServicePollingTest, AWeightOrSumThatDoesNotComeIsShownAsNotKnown) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.channelCount = 2; });
  SumChannel(0);
  Connect();
  ASSERT_TRUE(PumpUntil([&] { return window().Label24->Caption() == "SUM :      15.50"; }));
  ASSERT_EQ(window().Label21->Caption(), "2 :       3.00");
  struct Case {
    uint8_t request;
    std::vector<TLabel*> unknown;
  };
  for (const Case& c : {Case{0x0A, {window().Label11, window().Label21}}, Case{0x14, {window().Label24}}}) {
    SCOPED_TRACE(c.request);
    sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).On(CMD_READ_WEIGHT).WithFirstData(c.request).Times(2));
    ASSERT_TRUE(PumpUntil([&] { return c.unknown.front()->Caption() == "-"; }));
    for (TLabel* label : c.unknown) EXPECT_EQ(label->Caption(), "-") << label->Name();
    ASSERT_TRUE(PumpUntil([&] {
      return window().Label11->Caption() == "1 :      12.50" && window().Label24->Caption() == "SUM :      15.50";
    }));
  }
}

TEST_F(ServicePollingTest, TheStatusLineFollowsTheLanguage) {
  Connect();
  EXPECT_EQ(window().Label14->Caption(), "Gerät - Meßwertübernahme...");
  link().Options.lang = 1;
  ASSERT_TRUE(PumpUntil([&] { return window().Label14->Caption() == "Device value aquisition..."; }));
  ASSERT_TRUE(PumpUntil([&] { return window().Label13->Caption() == "Net mode"; }));
}

TEST_F(ServicePollingTest, ASetupReadPausesThePollingAndReconnectsWithoutIdentifying) {
  Connect();
  ASSERT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 1));
  const size_t identifications = CountOf(CMD_IDENT_DATA, {1, 3});
  window().Button3->Click();
  EXPECT_EQ(ServiceConnected, 1);
  EXPECT_EQ(PollingActive, 1);
  EXPECT_EQ(ReconnectAfterRead, 0);
  EXPECT_EQ(window().Label14->Caption(), "Gerät - Meßwertübernahme...");
  EXPECT_EQ(CountOf(CMD_IDENT_DATA, {1, 3}), identifications);
  ASSERT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 2));
}

TEST_F(ServicePollingTest, PausedPollingSendsNothing) {
  Connect();
  ASSERT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 1));
  SetupWriteRunning = 1;
  // The cycle running now may still finish; after it nothing more.
  ASSERT_TRUE(Request(CMD_ERROR_CODES, {1, 0}));
  const size_t weights = CountOf(CMD_READ_WEIGHT);
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(Request(CMD_ERROR_CODES, {1, 0}));
  ASSERT_TRUE(PumpUntil([&] { return CountOf(CMD_ERROR_CODES) >= 3; }));
  EXPECT_EQ(CountOf(CMD_READ_WEIGHT), weights);
  SetupWriteRunning = 0;
  ASSERT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 2));
}

// ---- The device log.

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::filesystem::path> DeviceLogs() {
  std::vector<std::filesystem::path> logs;
  for (const auto& e : std::filesystem::directory_iterator("."))
    if (e.path().filename().string().rfind("device_log_", 0) == 0) logs.push_back(e.path());
  std::sort(logs.begin(), logs.end());
  return logs;
}

struct LogCase {
  const char* name;
  bool gross;
  int channels;
  bool sum;
  const char* record;  // one record after the time, as a regular expression
};

void PrintTo(const LogCase& c, std::ostream* os) { *os << c.name; }

class DeviceLogTest : public ServicePollingTest, public ::testing::WithParamInterface<LogCase> {};

TEST_P(DeviceLogTest, HeaderOneRecordPerCycleAndStopLine) {
  const LogCase& c = GetParam();
  sim_.WithDevice(1, [&](devsim::DeviceModel& m) { m.channelCount = c.channels; });
  if (c.sum) SumChannel(0);
  if (c.gross) window().Brutto1Click(nullptr);
  dialogs_.Answer(IDOK);
  window().LogFunktion1Click(nullptr);
  ASSERT_TRUE(window().LogFunktion1->Checked());
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Start des Logging mit <Verbinden>!");

  Connect();
  EXPECT_FALSE(window().LogFunktion1->Enabled());
  const std::string name = window().Polling->LogName();
  EXPECT_TRUE(std::regex_match(name, std::regex(R"(device_log_\d{8}_\d{4}\.txt)"))) << name;
  ASSERT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 4));
  window().Button1->Click();
  EXPECT_TRUE(window().LogFunktion1->Enabled());

  const auto logs = DeviceLogs();
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_EQ(logs[0].filename().string(), name);
  const std::string text = Slurp(logs[0]);
  const std::string day = R"((Monday|Tuesday|Wednesday|Thursday|Friday|Saturday|Sunday) \d\d\.\d\d\.\d\d \d\d:\d\d:\d\d)";
  const std::string record = std::string(R"(\d\d:\d\d:\d\d;)") + c.record;
  const std::regex whole("RTV482 - Logging\n\nStart: " + day + "\n\n(" + record + ")+\nStop: " + day);
  EXPECT_TRUE(std::regex_match(text, whole)) << text;
  // At least the cycles that the device answered before the disconnect.
  const std::regex one(record);
  const auto records = std::distance(std::sregex_iterator(text.begin(), text.end(), one), std::sregex_iterator());
  EXPECT_GE(records, 2) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeviceLogTest,
    ::testing::Values(
        // Gross, one channel, no sum: the line and an empty line.
        LogCase{"GrossOneChannel", true, 1, false, R"(1;\+;  12\.50\n\n)"},
        LogCase{"GrossTwoChannels", true, 2, false, R"(1;\+;  12\.50;;2;\+;   3\.00\n\n)"},
        LogCase{"NetOneChannel", false, 1, false, R"(1;\+;  12\.50\n)"},
        // Net, two channels, with the sum channel: one line per cycle.
        LogCase{"NetTwoChannelsWithSum", false, 2, true, R"(1;\+;  12\.50;;2;\+;   3\.00;;S;B;  15\.50\n)"},
        LogCase{"GrossTwoChannelsWithSum", true, 2, true,
                R"(1;\+;  12\.50;;2;\+;   3\.00\n;;S;B;  15\.50\n)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ServicePollingTest, AReadingThatDoesNotComeIsNotLoggedFromAnEarlierOne) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.channelCount = 2; });
  SumChannel(0);
  dialogs_.Answer(IDOK);
  window().LogFunktion1Click(nullptr);
  Connect();
  ASSERT_TRUE(PumpUntil([&] { return window().Label24->Caption() == "SUM :      15.50"; }));
  // The sum of one cycle does not come; then the channels of another.
  const auto fail = [&](uint8_t request) {
    sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).On(CMD_READ_WEIGHT).WithFirstData(request).Times(2));
    const size_t sent = CountOf(CMD_READ_WEIGHT, {request});
    ASSERT_TRUE(PumpUntil([&] { return CountOf(CMD_READ_WEIGHT, {request}) >= sent + 3; }));
  };
  fail(0x14);
  fail(0x0A);
  window().Button1->Click();
  const auto logs = DeviceLogs();
  ASSERT_EQ(logs.size(), 1u);
  const std::string text = Slurp(logs[0]);
  const std::string channels = R"(\d\d:\d\d:\d\d;1;\+;  12\.50;;2;\+;   3\.00)";
  // Net mode: one line a cycle; the cycle without its sum has the sum part empty.
  const std::regex withoutSum(channels + ";;S;B;\n");
  EXPECT_EQ(std::distance(std::sregex_iterator(text.begin(), text.end(), withoutSum), std::sregex_iterator()), 1)
      << text;
  // Every other line is a whole record: the cycle without its channels has none.
  const std::regex whole(channels + R"(;;S;B;(  15\.50)?\n)");
  const auto records = std::distance(std::sregex_iterator(text.begin(), text.end(), whole), std::sregex_iterator());
  const auto lines = std::count(text.begin(), text.end(), '\n');
  // Header, empty line, start line, empty line, the records, the empty line before "Stop:".
  EXPECT_EQ(lines, records + 5) << text;
  // One record for each answered cycle: not the start's request, not the two tries that failed.
  EXPECT_EQ(CountOf(CMD_READ_WEIGHT, {0x0A}), static_cast<size_t>(records) + 3) << text;
}

TEST_F(ServicePollingTest, AFullDiskIsSaidOnceWhilePollingGoesOnAndLeavesNoLog) {
  dialogs_.Answer(IDOK);
  window().LogFunktion1Click(nullptr);
  dialogs_.Answer(IDOK);
  {
    // Room for the header and a record or two.
    const ScopedFileSizeLimit limit(120);
    ASSERT_TRUE(limit.Active());
    Connect();
    const std::string name = window().Polling->LogName();
    ASSERT_TRUE(PumpUntil([&] { return dialogs_.Boxes().size() == 2; }));
    EXPECT_EQ(dialogs_.Boxes()[1].request.text, "Fehler beim Schreiben der Datei \"" + name + "\"!\n" +
                                                    std::make_error_code(std::errc::file_too_large).message());
    EXPECT_EQ(dialogs_.Boxes()[1].request.title, "FEHLER");
    // The polling goes on, and the box is not shown again.
    ASSERT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 3));
    window().Button1->Click();
  }
  EXPECT_EQ(dialogs_.Boxes().size(), 2u);
  EXPECT_TRUE(DeviceLogs().empty());
}

TEST_F(ServicePollingTest, WithoutTheLogEntryNothingIsLogged) {
  Connect();
  ASSERT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 2));
  window().Button1->Click();
  EXPECT_TRUE(DeviceLogs().empty());
  EXPECT_EQ(window().Polling->LogName(), "");
}

}  // namespace
