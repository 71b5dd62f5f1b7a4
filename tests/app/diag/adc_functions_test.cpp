// The ADC functions window against the simulated device: the measurement
// loops with their labels, graph, channel alternation and log files, the
// restart after "Einstellen", the continuous stream, the mode and info
// buttons, and closing the window while a loop runs.
#include <regex>

#include "tests/app/diag/diag_fixture.h"
#include "tests/support/file_size_limit.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;

// The log with its times replaced: "<T>" for run times, "<t>" for cycle times.
std::string WithoutTimes(const std::string& text) {
  static const std::regex runTime("[A-Z][a-z]+day \\d\\d\\.\\d\\d\\.\\d\\d \\d\\d:\\d\\d:\\d\\d");
  static const std::regex cycleTime("\\d\\d:\\d\\d:\\d\\d;");
  return std::regex_replace(std::regex_replace(text, runTime, "<T>"), cycleTime, "<t>;");
}

class AdcFunctions : public DiagTest {
 protected:
  void SetUp() override {
    DiagTest::SetUp();
    sim_.WithDevice(1, [](devsim::DeviceModel& m) {
      m.channels[0].adcRaw = 1234567;
      m.channels[1].adcRaw = -2000;
      m.channels[0].millivoltPerVolt = 1.5;
      m.channels[1].millivoltPerVolt = -0.25;
      m.channels[0].adcScaled = 12.5f;
      m.channels[1].adcScaled = 50.0f;
    });
    link().AdcConversionMode = 0;
    link().ActiveChannel = 0;
    adc().Edit1->SetText("10");
  }
  std::vector<int> GraphValues() const {
    std::vector<int> values;
    for (const auto& p : Form10->PerformanceGraph1->Points()) values.push_back(p.value);
    return values;
  }
};

TEST_F(AdcFunctions, TheCountsLoopShowsGraphsAlternatesChannelsAndLogs) {
  TForm10& w = adc();
  w.CheckBox1->SetChecked(true);
  w.CheckBox3->SetChecked(true);
  w.CheckBox2->SetChecked(true);
  StopLoopAfter(CMD_ADC_RAW, 4);
  // The loop does not wait for the answer to its channel switch: the pause
  // behind the switch lets it pass. With the clock sped up, a loaded machine
  // can delay that answer past the next reading's request, where it passes
  // for that reading's answer; here the device takes its switches silently.
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_SELECT_CHANNEL).Times(devsim::kForever));
  w.Button6->Click();

  // CONT mode: each cycle reads the active channel, then switches the device to the other one.
  EXPECT_EQ(FirstDataOf(CMD_ADC_RAW), (std::vector<int>{1, 2, 1, 2}));
  // The last switch goes out after the loop's end.
  PumpUntil([&] { return ReceivedOf(CMD_SELECT_CHANNEL).size() >= 4; });
  EXPECT_EQ(FirstDataOf(CMD_SELECT_CHANNEL), (std::vector<int>{2, 1, 2, 1}));
  EXPECT_EQ(link().Label31->Caption(), "(Kanal 1)");
  EXPECT_EQ(link().ActiveChannel, 0);
  // The last cycle's values; the mV/V of the default limits is the count by a million.
  EXPECT_EQ(w.Label4->Caption(), "-2000");
  EXPECT_EQ(w.Label6->Caption(), "-0.00200");
  EXPECT_EQ(w.Label17->Caption(), "2");
  EXPECT_TRUE(w.PerformanceGraph1->Visible());
  EXPECT_EQ(GraphValues(), (std::vector<int>{1234567, -2000, 1234567, -2000}));
  for (const auto& p : w.PerformanceGraph1->Points()) EXPECT_EQ(p.color, clRed);
  EXPECT_EQ(w.AdcLastLoop, 1);
  EXPECT_EQ(link().LoopReadActive, 0);
  EXPECT_TRUE(w.CheckBox2->Enabled());
  EXPECT_TRUE(w.CheckBox3->Enabled());

  const auto logs = FilesStartingWith("adc_log_");
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_TRUE(std::regex_match(logs[0].string(), std::regex("adc_log_\\d{8}_\\d{4}\\.txt"))) << logs[0];
  EXPECT_EQ(WithoutTimes(FileText(logs[0])),
            "VD417 - Logging -> Teile und mV/V\n\n"
            "Start: <T>\n\n"
            "<t>;   C1;   1234567;   1.234567\n"
            "<t>;   C2;   -2000;   -0.002000\n"
            "<t>;   C1;   1234567;   1.234567\n"
            "<t>;   C2;   -2000;   -0.002000\n"
            "\nStop: <T>");
}

TEST_F(AdcFunctions, InSingleModeTheCountsLoopAlternatesWithoutSwitchingTheDevice) {
  link().AdcConversionMode = 1;
  link().ActiveChannel = 1;
  adc().CheckBox1->SetChecked(true);
  adc().CheckBox3->SetChecked(true);
  StopLoopAfter(CMD_ADC_RAW, 3);
  adc().Button6->Click();
  EXPECT_EQ(FirstDataOf(CMD_ADC_RAW), (std::vector<int>{2, 1, 2}));
  EXPECT_TRUE(ReceivedOf(CMD_SELECT_CHANNEL).empty());
  EXPECT_EQ(link().ActiveChannel, 1);
  EXPECT_TRUE(FilesStartingWith("adc_log_").empty());
}

TEST_F(AdcFunctions, TheMillivoltReadingShowsTheTextAndLogsIt) {
  TForm10& w = adc();
  w.CheckBox2->SetChecked(true);
  w.Label4->SetCaption("old");
  w.Button18->Click();  // without the loop switch: one cycle

  ASSERT_EQ(ReceivedOf(CMD_ADC_MILLIVOLT).size(), 1u);
  EXPECT_EQ(DataOf(ReceivedOf(CMD_ADC_MILLIVOLT)[0]), (std::vector<uint8_t>{1, 1}));
  EXPECT_EQ(w.Label15->Caption(), "+1.50000");
  EXPECT_EQ(w.Label17->Caption(), "0");
  EXPECT_EQ(w.Label4->Caption(), "");
  EXPECT_FALSE(w.PerformanceGraph1->Visible());
  EXPECT_TRUE(w.PerformanceGraph1->Points().empty());
  EXPECT_EQ(w.AdcLastLoop, 2);

  const auto logs = FilesStartingWith("mv_log_");
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_EQ(WithoutTimes(FileText(logs[0])),
            "VD417 - Logging -> mV/V\n\nStart: <T>\n\n<t>;   C0;   +1.50000\n\nStop: <T>");
}

TEST_F(AdcFunctions, AFullDiskIsSaidOnceWhileTheLoopGoesOnAndLeavesNoLog) {
  TForm10& w = adc();
  w.CheckBox1->SetChecked(true);
  w.CheckBox2->SetChecked(true);
  StopLoopAfter(CMD_ADC_RAW, 8);
  dialogs_.Answer(IDOK);
  {
    // Room for the header and a line or two.
    const ScopedFileSizeLimit limit(120);
    ASSERT_TRUE(limit.Active());
    w.Button6->Click();
  }
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  const std::string& text = dialogs_.Boxes()[0].request.text;
  const std::string cause = std::make_error_code(std::errc::file_too_large).message();
  EXPECT_TRUE(std::regex_match(text, std::regex("Fehler beim Schreiben der Datei \"adc_log_\\d{8}_\\d{4}\\.txt\"!\n" + cause)))
      << text;
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "FEHLER");
  EXPECT_GE(ReceivedOf(CMD_ADC_RAW).size(), 8u);
  EXPECT_TRUE(FilesStartingWith("adc_log_").empty());
  EXPECT_TRUE(w.CheckBox2->Enabled());
}

TEST_F(AdcFunctions, TheScaledReadingShowsTheDevicesFloat) {
  link().ActiveChannel = 1;
  adc().Button16->Click();
  EXPECT_EQ(FirstDataOf(CMD_ADC_SCALED), std::vector<int>{2});
  EXPECT_EQ(adc().Label11->Caption(), "50.000000");
  EXPECT_TRUE(adc().CheckBox2->Visible());
  EXPECT_EQ(adc().AdcLastLoop, 3);
}

TEST_F(AdcFunctions, ASecondLoggedRunKeepsTheFirstRunsFile) {
  for (int run = 0; run < 2; ++run) {
    adc().CheckBox2->SetChecked(true);
    adc().Button6->Click();
  }
  const auto logs = FilesStartingWith("adc_log_");
  ASSERT_EQ(logs.size(), 2u);
  for (const auto& log : logs) {
    const std::string text = WithoutTimes(FileText(log));
    EXPECT_NE(text.find("Start: <T>\n\n<t>;   C1;   1234567;   1.234567\n\nStop: <T>"), std::string::npos) << log;
  }
  // Within one minute the second name is the first one with "_2".
  if (logs[0].string().size() != logs[1].string().size()) {
    EXPECT_EQ(logs[1].string(), logs[0].stem().string() + "_2.txt");
  }
}

TEST_F(AdcFunctions, AFailedCycleShowsAndLogsNothing) {
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_ADC_RAW).Times(2));
  adc().CheckBox2->SetChecked(true);
  adc().Button6->Click();
  EXPECT_EQ(link().TransferFailed, 1);
  EXPECT_EQ(adc().Label4->Caption(), "-");
  EXPECT_TRUE(adc().PerformanceGraph1->Points().empty());
  const auto logs = FilesStartingWith("adc_log_");
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_EQ(WithoutTimes(FileText(logs[0])), "VD417 - Logging -> Teile und mV/V\n\nStart: <T>\n\n\nStop: <T>");
}

TEST_F(AdcFunctions, AFailedReadingShowsNotThePreviousValue) {
  TForm10& w = adc();
  struct Loop {
    const char* name;
    TButton* button;
    uint8_t command;
    std::vector<TLabel*> values;
  };
  for (const Loop& loop : {Loop{"counts", w.Button6, CMD_ADC_RAW, {w.Label4, w.Label6, w.Label17}},
                           Loop{"mV", w.Button18, CMD_ADC_MILLIVOLT, {w.Label15, w.Label17}},
                           Loop{"scaled", w.Button16, CMD_ADC_SCALED, {w.Label11}}}) {
    for (FaultKind kind : {FaultKind::NoAnswer, FaultKind::WrongChecksum, FaultKind::CutShort}) {
      SCOPED_TRACE(std::string(loop.name) + " fault " + std::to_string(static_cast<int>(kind)));
      loop.button->Click();
      for (TLabel* value : loop.values) ASSERT_NE(value->Caption(), "-") << value->Name();
      const size_t points = w.PerformanceGraph1->Points().size();
      sim_.InjectFault(1, Fault(kind).On(loop.command).Times(2));
      loop.button->Click();
      for (TLabel* value : loop.values) EXPECT_EQ(value->Caption(), "-") << value->Name();
      EXPECT_EQ(w.PerformanceGraph1->Points().size(), points);
      sim_.ClearFaults(1);
    }
  }
}

TEST_F(AdcFunctions, AFailedInfoReadLeavesTheChannelEmptyAndTheModeControlsAlone) {
  TForm10& w = adc();
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.adcMode = 0;
    m.activeChannel = 2;
  });
  w.Button20->Click();
  ASSERT_EQ(w.ComboBox4->ItemIndex(), 1);
  ASSERT_TRUE(w.Button6->Enabled());
  // SINGLE from the button; the device's report of it does not come.
  w.Button12->Click();
  ASSERT_FALSE(w.Button6->Enabled());
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_ADC_INFO).Times(2));
  w.Button20->Click();
  // The CONT mode of the earlier report does not enable the measuring buttons again.
  EXPECT_FALSE(w.Button6->Enabled());
  EXPECT_EQ(w.ComboBox4->ItemIndex(), 1);

  sim_.ClearFaults(1);
  link().CommErrorCount = 0;
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_CAL_SETTINGS).Times(2));
  w.Button20->Click();
  EXPECT_EQ(w.ComboBox4->ItemIndex(), -1);
}

TEST_F(AdcFunctions, EinstellenRestartsTheLoopThatRanOnTheNewChannel) {
  struct Case {
    TButton* start;
    uint8_t command;
    int lastLoop;
  };
  const std::vector<Case> cases = {{adc().Button6, CMD_ADC_RAW, 1},
                                   {adc().Button18, CMD_ADC_MILLIVOLT, 2},
                                   {adc().Button16, CMD_ADC_SCALED, 3}};
  for (const Case& c : cases) {
    link().ActiveChannel = 0;
    adc().ComboBox4->SetItemIndex(0);
    sim_.Log().Clear();
    adc().CheckBox1->SetChecked(true);
    auto onChannel2 = [this, command = c.command] {
      size_t n = 0;
      for (int channel : FirstDataOf(command)) n += channel == 2 ? 1 : 0;
      return n;
    };
    OnceWhen([this, command = c.command] { return ReceivedOf(command).size() >= 2; },
             [this, onChannel2] {
               OnceWhen([onChannel2] { return onChannel2() >= 2; }, [] { Form10->CheckBox1->SetChecked(false); });
               adc().ComboBox4->SetItemIndex(1);
               adc().Button17->Click();
             });
    c.start->Click();

    EXPECT_EQ(FirstDataOf(CMD_SELECT_CHANNEL), std::vector<int>{2}) << c.lastLoop;
    EXPECT_GE(onChannel2(), 2u) << c.lastLoop;
    EXPECT_EQ(link().ActiveChannel, 1);
    EXPECT_EQ(adc().AdcLastLoop, c.lastLoop);
    // No other loop took its place.
    for (uint8_t other : {CMD_ADC_RAW, CMD_ADC_MILLIVOLT, CMD_ADC_SCALED})
      if (other != c.command) {
        EXPECT_TRUE(ReceivedOf(other).empty()) << c.lastLoop << " " << int(other);
      }
    EXPECT_FALSE(adc().CheckBox1->Checked());
  }
}

TEST_F(AdcFunctions, ClosingTheWindowEndsTheLoopAndDropsTheQueue) {
  adc().Show();
  adc().CheckBox1->SetChecked(true);
  OnceWhen([this] { return ReceivedOf(CMD_ADC_RAW).size() >= 2; }, [this] {
    // A request of another window is waiting too.
    link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1);
    adc().Close();
  });
  adc().Button6->Click();
  EXPECT_FALSE(adc().CheckBox1->Checked());
  EXPECT_EQ(adc().AdcLastLoop, 0);
  EXPECT_LE(ReceivedOf(CMD_ADC_RAW).size(), 3u);
  EXPECT_EQ(link().PendingCount, 0);
  EXPECT_TRUE(ReceivedOf(CMD_ADC_INFO).empty());
}

TEST_F(AdcFunctions, TheContinuousStreamFillsLabelsAndGraphAndStopsCleanly) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.streamValue = 1000;
    m.streamStep = 1000;
    m.streamIntervalMs = 10;
  });
  link().Options.sdcont_avg_time = 200;  // 20 ms with the test's clock
  link().Options.sdcont_avg = 0;         // each tick shows the newest value
  TForm10& w = adc();
  w.CheckBox4->SetChecked(true);
  w.Button7->Click();
  EXPECT_TRUE(w.PerformanceGraph1->Visible());
  EXPECT_EQ(w.Panel2->Color(), clGreen);
  EXPECT_TRUE(terminal().Visible());
  // The terminal takes the port; the queue tick stays off while the stream runs.
  terminal().FormActivate(nullptr);
  EXPECT_EQ(link().KeepPortOpen, 1);
  EXPECT_FALSE(link().Timer1->Enabled());
  EXPECT_EQ(DataOf(ReceivedOf(CMD_VALUE_STREAM).at(0)), (std::vector<uint8_t>{1, 0}));
  ASSERT_TRUE(PumpUntil([&] { return w.PerformanceGraph1->Points().size() >= 5 && GraphValues().back() > 1000; }));

  // The labels show the graph's newest value, and the values rise as the device's do.
  const int newest = GraphValues().back();
  EXPECT_EQ(w.Label4->Caption(), std::to_string(newest));
  char mvv[32];
  std::snprintf(mvv, sizeof mvv, "%.5f", newest * 1e-6);
  EXPECT_EQ(w.Label6->Caption(), mvv);
  const std::vector<int> values = GraphValues();
  EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
  EXPECT_EQ(newest % 1000, 0);

  w.Button10->Click();
  EXPECT_EQ(w.Panel2->Color(), clBtnFace);
  ASSERT_TRUE(PumpUntil([&] { return !sim_.Model(1).streamRunning; }));
  const size_t points = w.PerformanceGraph1->Points().size();
  link().WaitMs(500);
  EXPECT_EQ(w.PerformanceGraph1->Points().size(), points);
  EXPECT_FALSE(link().Timer3->Enabled());
  // The link answers requests again.
  ASSERT_TRUE(Request(CMD_ADC_INFO));
  EXPECT_EQ(link().TransferFailed, 0);
}

TEST_F(AdcFunctions, InfoReadTakesTheChannelAndTheModeFromTheDevice) {
  struct Case {
    uint8_t mode;
    int channel;
  };
  for (const Case c : {Case{1, 2}, Case{0, 1}}) {
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) {
      m.adcMode = c.mode;
      m.activeChannel = c.channel;
    });
    adc().Button20->Click();
    const bool single = c.mode == 1;
    EXPECT_EQ(adc().ComboBox4->ItemIndex(), c.channel - 1);
    EXPECT_EQ(link().ActiveChannel, c.channel - 1);
    EXPECT_EQ(link().AdcConversionMode, c.mode);
    EXPECT_EQ(adc().CheckBox3->Visible(), single);
    EXPECT_EQ(link().Button17->Visible(), !single);
    EXPECT_EQ(link().Label30->Visible(), !single);
    for (TButton* b : {adc().Button6, adc().Button16, adc().Button17, adc().Button18})
      EXPECT_EQ(b->Enabled(), !single) << b->Name();
  }
}

TEST_F(AdcFunctions, ModeButtonsSendTheModeAndActivationFollowsTheDevicesLastReport) {
  link().AdcModeArgument = 5;
  adc().Button12->Click();
  ASSERT_TRUE(PumpUntil([&] { return ReceivedOf(CMD_ADC_MODE).size() == 1; }));
  EXPECT_EQ(DataOf(ReceivedOf(CMD_ADC_MODE)[0]), (std::vector<uint8_t>{1, 5}));
  EXPECT_EQ(link().StatusBar1->Panel(10).Text, "SINGLE");
  EXPECT_FALSE(adc().Button6->Enabled());
  // The device last reported CONT: the next activation enables the buttons again.
  adc().CheckBox2->SetChecked(true);
  adc().ActivateWindow(nullptr);
  EXPECT_TRUE(adc().Button6->Enabled());
  EXPECT_FALSE(adc().CheckBox2->Checked());
  adc().Button19->Click();
  ASSERT_TRUE(PumpUntil([&] { return ReceivedOf(CMD_ADC_MODE).size() == 2; }));
  EXPECT_EQ(DataOf(ReceivedOf(CMD_ADC_MODE)[1]), (std::vector<uint8_t>{0, 5}));
  EXPECT_EQ(link().StatusBar1->Panel(10).Text, "CONT");
}

TEST_F(AdcFunctions, ALogThatCannotBeCreatedIsReportedAndTheRunDoesNotStart) {
  // The working folder has gone: no file can be made in it.
  std::filesystem::remove_all(dir_);
  dialogs_.Answer(IDOK);
  adc().CheckBox2->SetChecked(true);
  adc().Button6->Click();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  // The box names the file and the cause.
  const std::string& text = dialogs_.Boxes()[0].request.text;
  EXPECT_EQ(text.rfind("Datei kann nicht angelegt werden!\nadc_log_", 0), 0u) << text;
  EXPECT_NE(text.find(std::make_error_code(std::errc::no_such_file_or_directory).message()), std::string::npos) << text;
  EXPECT_TRUE(adc().CheckBox2->Enabled());
  link().WaitMs(200);
  EXPECT_TRUE(ReceivedOf(CMD_ADC_RAW).empty());
  std::filesystem::create_directories(dir_);
}

TEST_F(AdcFunctions, DeviceCommandButtonsSendTheirRequests) {
  struct Case {
    TButton* button;
    uint8_t command;
    std::vector<uint8_t> data;
  };
  const std::vector<Case> cases = {{adc().Button3, CMD_ADC_RESET, {}},
                                   {adc().Button21, CMD_RESET, {0}},
                                   {adc().Button4, CMD_HOLD_CYCLIC, {1}},
                                   {adc().Button5, CMD_HOLD_CYCLIC, {0}}};
  dialogs_.Answer(IDOK);  // the link's "OK!" after the ADC reset
  for (const Case& c : cases) {
    sim_.Log().Clear();
    c.button->Click();
    ASSERT_TRUE(PumpUntil([&] { return !ReceivedOf(c.command).empty(); })) << c.button->Name();
    EXPECT_EQ(DataOf(ReceivedOf(c.command).back()), c.data) << c.button->Name();
    ASSERT_TRUE(link().WaitUntilIdle());
  }
  EXPECT_EQ(dialogs_.PendingAnswers(), 0u);
}

TEST_F(AdcFunctions, ConnectAndDisconnectOpenAndCloseThePort) {
  adc().Button24->Click();
  EXPECT_TRUE(link().ComPort1->Connected());
  adc().Button24->Click();  // again: closed and opened anew
  EXPECT_TRUE(link().ComPort1->Connected());
  adc().Button23->Click();
  EXPECT_FALSE(link().ComPort1->Connected());
  // A port that cannot be opened is named in a message.
  link().ComPort1->SetPort("/dev/nonexistent-adc-port");
  dialogs_.Answer(IDOK);
  adc().Button24->Click();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_NE(dialogs_.Boxes()[0].request.text.find("/dev/nonexistent-adc-port"), std::string::npos);
}

TEST_F(AdcFunctions, TheToolButtonsOpenTheirWindows) {
  adc().Button13->Click();
  EXPECT_TRUE(tester().Visible());
  EXPECT_TRUE(Form5->Visible());
  EXPECT_TRUE(link().RS232Fenster1->Checked());
  Form5->Hide();
  link().RS232Fenster1->SetChecked(false);
  adc().Button2->Click();
  EXPECT_TRUE(Form5->Visible());
  EXPECT_TRUE(link().RS232Fenster1->Checked());
  // "ENDE" hides the graph, the close box does not.
  adc().Show();
  adc().PerformanceGraph1->SetVisible(true);
  adc().Close();
  EXPECT_TRUE(adc().PerformanceGraph1->Visible());
  adc().Show();
  adc().Button1->Click();
  EXPECT_FALSE(adc().PerformanceGraph1->Visible());
  EXPECT_FALSE(adc().Visible());
}

}  // namespace
