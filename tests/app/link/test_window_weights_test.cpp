// The test window's weights page against the simulated device: weight reads
// once and in a loop with the weight log, zero, tare, tare by weight, the
// channel switch, the raw read; error codes, the diagnosis timer and the
// log viewer.
#include <QTimer>
#include <algorithm>
#include <regex>

#include "tests/app/link/test_window_fixture.h"
#include "tests/support/file_size_limit.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;
using devsim::kForever;

constexpr const char* kWeightText = "G C1:+  12.50:+  10.00:+   2.50<";

class Weights : public TestWindowTest {
 protected:
  void SetUp() override {
    TestWindowTest::SetUp();
    sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.weightTextOverride = kWeightText; });
  }

  // Runs `step` every few milliseconds while the window's own loops run,
  // until it returns true.
  void WhileRunning(std::function<bool()> step) {
    auto* timer = new QTimer(&link());
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, step] {
      if (step()) timer->stop();
    });
    timer->start();
  }

  std::vector<std::filesystem::path> WeightLogs() const {
    std::vector<std::filesystem::path> logs;
    for (const auto& entry : std::filesystem::directory_iterator(dir_))
      if (entry.path().filename().string().rfind("gewichts_log_", 0) == 0) logs.push_back(entry.path());
    std::sort(logs.begin(), logs.end());
    return logs;
  }

  static std::string LogPattern(const std::string& lines) {
    const std::string longTime = R"([A-Z][a-z]+day \d\d\.\d\d\.\d\d \d\d:\d\d:\d\d)";
    return "Device - Logging\n\nStart: " + longTime + "\n\n" + lines + "\nStop: " + longTime;
  }
  static std::string Escaped(const std::string& text) {
    return std::regex_replace(text, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)");
  }
};

TEST_F(Weights, ReadingOnceShowsTheFieldsAndLogsOneLine) {
  link().CheckBox3->SetChecked(true);
  link().Button9Click(nullptr);

  EXPECT_EQ(link().Label27->Caption(), kWeightText);
  EXPECT_EQ(link().Label22->Caption(), "  12.50");
  EXPECT_EQ(link().Label24->Caption(), "  10.00");
  EXPECT_EQ(link().Label26->Caption(), "   2.50");
  EXPECT_EQ(link().Label29->Caption(), "1");
  EXPECT_EQ(link().ActiveChannel, 0);
  EXPECT_EQ(link().Button17->Caption(), "Kan.1->Kan.2");
  EXPECT_EQ(link().Label31->Caption(), "-  Kanal 1");
  EXPECT_TRUE(link().CheckBox3->Enabled());
  EXPECT_EQ(link().LoopReadActive, 0);
  const auto reads = ReceivedOf(CMD_READ_WEIGHT);
  ASSERT_EQ(reads.size(), 1u);
  EXPECT_EQ(DataOf(reads[0]), std::vector<uint8_t>({0, 1}));

  const auto logs = WeightLogs();
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_TRUE(std::regex_match(logs[0].filename().string(), std::regex(R"(gewichts_log_\d{8}_\d{4}\.txt)")))
      << logs[0];
  const std::string text = FileText(logs[0]);
  EXPECT_TRUE(std::regex_match(text, std::regex(LogPattern(R"(\d\d:\d\d:\d\d   )" + Escaped(kWeightText) + "\n"))))
      << text;

  // A second run, within the same minute or not, writes a log of its own.
  link().Button9Click(nullptr);
  const auto both = WeightLogs();
  ASSERT_EQ(both.size(), 2u);
  EXPECT_EQ(FileText(logs[0]), text);
  EXPECT_EQ(FileText(both[0] == logs[0] ? both[1] : both[0]).rfind("Device - Logging\n\nStart: ", 0), 0u);
}

TEST_F(Weights, AFullDiskIsSaidOnceWhileTheLoopGoesOnAndLeavesNoLog) {
  link().CheckBox3->SetChecked(true);
  link().CheckBox2->SetChecked(true);
  link().Edit2->SetText("10");
  dialogs_.Answer(IDOK);
  WhileRunning([&] {
    if (ReceivedOf(CMD_READ_WEIGHT).size() < 8) return false;
    link().CheckBox2->SetChecked(false);
    return true;
  });
  {
    // Room for the header and a line or two.
    const ScopedFileSizeLimit limit(150);
    ASSERT_TRUE(limit.Active());
    link().Button9Click(nullptr);
  }
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  const std::string& text = dialogs_.Boxes()[0].request.text;
  EXPECT_TRUE(std::regex_match(text, std::regex("Fehler beim Schreiben der Datei \"gewichts_log_\\d{8}_\\d{4}\\.txt\"!\n" +
                                                Escaped(std::make_error_code(std::errc::file_too_large).message()))))
      << text;
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "FEHLER");
  EXPECT_GE(ReceivedOf(CMD_READ_WEIGHT).size(), 8u);
  EXPECT_TRUE(WeightLogs().empty());
  EXPECT_TRUE(link().CheckBox3->Enabled());
}

TEST_F(Weights, TheLoopReadsUntilUntickedAndAFailedCycleDoesNotEndIt) {
  // The second read goes unanswered; the loop goes on without piling up requests.
  link().CheckBox3->SetChecked(true);
  link().CheckBox2->SetChecked(true);
  link().Edit2->SetText("100");
  int mostPending = 0;
  bool loopSeenActive = false;
  bool faultInjected = false;
  WhileRunning([&] {
    mostPending = std::max(mostPending, link().PendingCount);
    loopSeenActive = loopSeenActive || link().LoopReadActive == 1;
    const size_t reads = ReceivedOf(CMD_READ_WEIGHT).size();
    if (reads == 1 && !faultInjected) {
      sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_READ_WEIGHT).Times(2));
      faultInjected = true;
    }
    if (reads < 6) return false;
    link().CheckBox2->SetChecked(false);
    return true;
  });
  link().Button9Click(nullptr);

  EXPECT_TRUE(loopSeenActive);
  EXPECT_EQ(link().LoopReadActive, 0);
  EXPECT_LE(mostPending, 1);
  EXPECT_EQ(link().PendingCount, 0);
  EXPECT_TRUE(link().CheckBox3->Enabled());
  const auto logs = WeightLogs();
  ASSERT_EQ(logs.size(), 1u);
  const std::string text = FileText(logs[0]);
  // Six sends: one request answered at once, one that failed both its tries, then answered ones.
  const std::string line = R"(\d\d:\d\d:\d\d   )" + Escaped(kWeightText) + "\n";
  std::smatch m;
  ASSERT_TRUE(std::regex_match(text, m, std::regex(LogPattern("((?:" + line + ")+)")))) << text;
  const auto lines = std::count(m[1].first, m[1].second, '\n');
  EXPECT_GE(lines, 3);
  EXPECT_LE(lines, 5);
}

TEST_F(Weights, TheWeightTextsChannelNumberSetsTheActiveChannel) {
  struct Case {
    const char* text;
    const char* gross;
    const char* channelLabel;
    int activeChannel;
    const char* button;
  };
  const Case cases[] = {
      {"G C2:-   1.25:+   3.00:+   4.25<", "   1.25", "2", 1, "Kan.2->Kan.1"},
      {"G C1:+   5.00:+   5.00:+   0.00<", "   5.00", "1", 0, "Kan.1->Kan.2"},
      // A channel the device cannot have, and a text without fields, change no channel.
      {"G C7:+   1.00:+   1.00:+   0.00<", "   1.00", "7", 0, "Kan.1->Kan.2"},
      {"ERROR", "", "", 0, "Kan.1->Kan.2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) { m.weightTextOverride = c.text; });
    link().Button9Click(nullptr);
    EXPECT_EQ(link().Label27->Caption(), c.text);
    EXPECT_EQ(link().Label22->Caption(), c.gross);
    EXPECT_EQ(link().Label29->Caption(), c.channelLabel);
    EXPECT_EQ(link().ActiveChannel, c.activeChannel);
    EXPECT_EQ(link().Button17->Caption(), c.button);
  }
  // The reads asked for the channel that was active at the time.
  const auto reads = ReceivedOf(CMD_READ_WEIGHT);
  ASSERT_EQ(reads.size(), 4u);
  EXPECT_EQ(DataOf(reads[0]), std::vector<uint8_t>({0, 1}));
  EXPECT_EQ(DataOf(reads[1]), std::vector<uint8_t>({0, 2}));
  EXPECT_EQ(DataOf(reads[2]), std::vector<uint8_t>({0, 1}));
}

TEST_F(Weights, ZeroTareAndTareByWeightSendTheirTelegrams) {
  struct Case {
    const char* name;
    std::function<void()> click;
    uint8_t command;
    std::vector<uint8_t> data;
    bool okBox;  // the device's answer is confirmed with "OK!"
  };
  const std::vector<Case> cases = {
      {"zero", [&] { link().Button13Click(nullptr); }, CMD_ZERO, {1}, false},
      {"tare", [&] { link().Button14Click(nullptr); }, CMD_TARE, {1, 0}, false},
      {"tare stored",
       [&] {
         link().CheckBox4->SetChecked(true);
         link().Button14Click(nullptr);
         link().CheckBox4->SetChecked(false);
       },
       CMD_TARE,
       {1, 1},
       false},
      {"tare by weight with a decimal comma",
       [&] {
         link().Edit3->SetText("12,5");
         link().Button15Click(nullptr);
       },
       CMD_TARE_WEIGHT,
       {1, '1', '2', '.', '5'},
       true},
      {"tare by weight without decimals",
       [&] {
         link().Edit3->SetText("100");
         link().Button15Click(nullptr);
       },
       CMD_TARE_WEIGHT,
       {1, '1', '0', '0'},
       true},
      {"zero on channel 2",
       [&] {
         link().ActiveChannel = 1;
         link().Button13Click(nullptr);
         link().ActiveChannel = 0;
       },
       CMD_ZERO,
       {2},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const size_t before = ReceivedOf(c.command).size();
    const size_t boxes = dialogs_.Boxes().size();
    if (c.okBox) dialogs_.Answer(IDOK);
    c.click();
    ASSERT_TRUE(PumpUntil([&] { return ReceivedOf(c.command).size() > before && link().PendingCount == 0; }));
    EXPECT_EQ(DataOf(ReceivedOf(c.command).back()), c.data);
    ASSERT_EQ(dialogs_.Boxes().size(), boxes + (c.okBox ? 1 : 0));
    if (c.okBox) {
      EXPECT_EQ(dialogs_.Boxes().back().request.text, "OK!");
    }
  }
  EXPECT_DOUBLE_EQ(sim_.Model(1).channels[0].tare, 100.0);
}

TEST_F(Weights, TareByWeightWithoutAValueAsksForOneInGerman) {
  link().Options.lang = 1;
  link().Edit3->SetText("");
  dialogs_.Answer(IDOK);
  link().Button15Click(nullptr);
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  const MessageBoxRequest& box = dialogs_.Boxes()[0].request;
  EXPECT_EQ(box.text, "Kein Wert für Tariergewicht eingegeben! -> Abbruch!");
  EXPECT_EQ(box.title, "HINWEIS");
  EXPECT_EQ(box.icon, BoxIcon::Information);
  EXPECT_EQ(link().PendingCount, 0);
}

TEST_F(Weights, TheChannelSwitchSelectsTheOtherChannelAndMirrorsIt) {
  struct Case {
    int from;
    uint8_t sent;
    int to;
    const char* button;
    const char* label;
  };
  const Case cases[] = {{0, 2, 1, "Kan.2->Kan.1", "-  Kanal 2"},
                        {1, 1, 0, "Kan.1->Kan.2", "-  Kanal 1"},
                        // A channel the window does not know counts as channel 1.
                        {-1, 2, 1, "Kan.2->Kan.1", "-  Kanal 2"}};
  for (const Case& c : cases) {
    SCOPED_TRACE("from " + std::to_string(c.from));
    link().ActiveChannel = c.from;
    const size_t before = ReceivedOf(CMD_SELECT_CHANNEL).size();
    link().Button17Click(nullptr);
    EXPECT_EQ(link().ActiveChannel, c.to);
    EXPECT_EQ(link().Button17->Caption(), c.button);
    EXPECT_EQ(link().Label31->Caption(), c.label);
    EXPECT_EQ(link().RadioButton1->Checked(), c.to == 0);
    EXPECT_EQ(link().RadioButton1->Enabled(), c.to == 0);
    EXPECT_EQ(link().RadioButton2->Checked(), c.to == 1);
    EXPECT_EQ(link().RadioButton2->Enabled(), c.to == 1);
    ASSERT_TRUE(PumpUntil([&] { return ReceivedOf(CMD_SELECT_CHANNEL).size() > before; }));
    EXPECT_EQ(DataOf(ReceivedOf(CMD_SELECT_CHANNEL).back()), std::vector<uint8_t>({c.sent}));
  }
  EXPECT_EQ(sim_.Model(1).activeChannel, 2);
}

TEST_F(Weights, TheChannelSwitchDuringTheLoopGoesOnReadingTheNewChannel) {
  // The device names the channel it was asked for in its weight text.
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.weightTextOverride.clear(); });
  link().CheckBox2->SetChecked(true);
  link().Edit2->SetText("0");
  bool switched = false;
  WhileRunning([&] {
    const auto reads = ReceivedOf(CMD_READ_WEIGHT);
    if (!switched && reads.size() >= 2) {
      switched = true;
      link().Button17Click(nullptr);  // runs the loop anew inside
      return false;
    }
    if (switched && !reads.empty() && DataOf(reads.back()) == std::vector<uint8_t>({0, 2}) && reads.size() >= 4) {
      link().CheckBox2->SetChecked(false);
      return true;
    }
    return false;
  });
  link().Button9Click(nullptr);
  EXPECT_TRUE(switched);
  EXPECT_FALSE(link().CheckBox2->Checked());
  EXPECT_EQ(link().LoopReadActive, 0);
  const auto selects = ReceivedOf(CMD_SELECT_CHANNEL);
  ASSERT_EQ(selects.size(), 1u);
  EXPECT_EQ(DataOf(selects[0]), std::vector<uint8_t>({2}));
  EXPECT_EQ(DataOf(ReceivedOf(CMD_READ_WEIGHT).back()), std::vector<uint8_t>({0, 2}));
}

TEST_F(Weights, TheRawReadShowsBothChannelsAndEndsOnAFailure) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.weightTextOverride.clear(); });
  link().Button20Click(nullptr);
  const std::string text = link().Label27->Caption();
  EXPECT_EQ(text.rfind("G C1:", 0), 0u) << text;
  EXPECT_NE(text.find(": C2:"), std::string::npos) << text;
  EXPECT_EQ(DataOf(ReceivedOf(CMD_READ_WEIGHT).back()), std::vector<uint8_t>({0x0A, 0}));

  // In a loop, until unticked.
  link().CheckBox1->SetChecked(true);
  WhileRunning([&] {
    if (ReceivedOf(CMD_READ_WEIGHT).size() < 4) return false;
    link().CheckBox1->SetChecked(false);
    return true;
  });
  link().Button20Click(nullptr);
  EXPECT_GE(ReceivedOf(CMD_READ_WEIGHT).size(), 4u);

  // A failed read ends the loop.
  link().CheckBox1->SetChecked(true);
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_READ_WEIGHT).Times(kForever));
  const size_t before = ReceivedOf(CMD_READ_WEIGHT).size();
  link().Button20Click(nullptr);
  EXPECT_EQ(ReceivedOf(CMD_READ_WEIGHT).size(), before + 2);
  EXPECT_TRUE(link().CheckBox1->Checked());
}

TEST_F(Weights, TheErrorBytesOpenTheErrorWindowOnlyAfterAGoodRead) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.errorCodes = {0x12, 0x34}; });
  link().Label8Click(nullptr);
  EXPECT_EQ(link().Label9->Caption(), "12 34");
  EXPECT_TRUE(Form11->Visible());
  Form11->Hide();

  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_ERROR_CODES).Times(2));
  link().Label8Click(nullptr);
  EXPECT_EQ(link().TransferFailed, 1);
  EXPECT_FALSE(Form11->Visible());

  link().Rcksetzen1Click(nullptr);
  EXPECT_EQ(link().Label9->Caption(), "");
  ASSERT_TRUE(PumpUntil([&] { return sim_.Model(1).errorCodes[0] == 0 && link().PendingCount == 0; }));
  link().Lesen1Click(nullptr);
  EXPECT_EQ(link().Label9->Caption(), "00 00");
}

TEST_F(Weights, TheDiagnosisTimerAsksAnIdleLinkEveryTickAndABusyOneEveryThirdTick) {
  auto errorReads = [&] { return ReceivedOf(CMD_ERROR_CODES).size(); };
  link().Timer5Timer(nullptr);
  EXPECT_EQ(errorReads(), 1u);

  // A request waits in the queue while its tick is held back.
  ASSERT_TRUE(link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1));
  link().Timer1->SetEnabled(false);
  link().Timer5Timer(nullptr);
  link().Timer5Timer(nullptr);
  EXPECT_EQ(link().PendingCount, 1);
  EXPECT_EQ(errorReads(), 1u);
  link().Timer5Timer(nullptr);  // the third busy tick reads, and the queue empties
  EXPECT_EQ(errorReads(), 2u);
  EXPECT_EQ(link().PendingCount, 0);
  link().Timer5Timer(nullptr);  // idle again
  EXPECT_EQ(errorReads(), 3u);
}

TEST_F(Weights, TheLogViewerShowsAChosenFile) {
  std::string content = "Device - Logging\n\n" + std::string(600, 'x') + "\nlast line without break";
  {
    std::ofstream out(dir_ / "trace.txt", std::ios::binary);
    out << content;
  }
  dialogs_.ChooseFile((dir_ / "trace.txt").string());
  link().Logdateianzeigen1Click(nullptr);
  ASSERT_EQ(dialogs_.FileDialogs().size(), 1u);
  const FileDialogRequest& request = dialogs_.FileDialogs()[0];
  EXPECT_FALSE(request.save);
  EXPECT_EQ(request.filter, "Text-Log|*.txt");
  EXPECT_EQ(request.filter_index, 0);
  EXPECT_EQ(request.initial_dir, ".");
  auto* viewer = Form20->findChild<TRichEdit*>(QStringLiteral("RichEdit1"));
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->Text(), content);
  EXPECT_TRUE(Form20->Visible());
  EXPECT_TRUE(dialogs_.Boxes().empty());

  // A cancelled dialog keeps the name chosen before.
  dialogs_.ChooseFile(std::nullopt);
  link().Logdateianzeigen1Click(nullptr);
  EXPECT_EQ(viewer->Text(), content);
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

TEST_F(Weights, TheLogViewerWithoutAFileAsksAndReportsWhatItCannotOpen) {
  // "Yes, cancel": nothing more happens.
  dialogs_.ChooseFile(std::nullopt);
  dialogs_.Answer(IDYES);
  link().Logdateianzeigen1Click(nullptr);
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Es wurde keine Datei gewählt! -> Abbruch?");
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "FRAGE");
  EXPECT_EQ(dialogs_.Boxes()[0].request.buttons, BoxButtons::YesNo);
  EXPECT_EQ(dialogs_.FileDialogs().size(), 1u);
  EXPECT_FALSE(Form20->Visible());

  // "No": the dialog once more, and a second empty choice is reported.
  dialogs_.ChooseFile(std::nullopt);
  dialogs_.Answer(IDNO);
  dialogs_.ChooseFile(std::nullopt);
  dialogs_.Answer(IDOK);
  link().Logdateianzeigen1Click(nullptr);
  EXPECT_EQ(dialogs_.FileDialogs().size(), 3u);
  ASSERT_EQ(dialogs_.Boxes().size(), 3u);
  EXPECT_EQ(dialogs_.Boxes()[2].request.title, "FEHLER");
  EXPECT_EQ(dialogs_.Boxes()[2].request.icon, BoxIcon::Error);
  EXPECT_FALSE(Form20->Visible());

  // A file that is not there.
  dialogs_.ChooseFile((dir_ / "missing.txt").string());
  dialogs_.Answer(IDOK);
  link().Logdateianzeigen1Click(nullptr);
  ASSERT_EQ(dialogs_.Boxes().size(), 4u);
  EXPECT_NE(dialogs_.Boxes()[3].request.text.find("missing.txt"), std::string::npos);
  EXPECT_FALSE(Form20->Visible());
}

}  // namespace
