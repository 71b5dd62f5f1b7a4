// The log-memory dialog against the simulated device: its commands and
// labels, and the dump into "ring_count_log.txt".
#include <filesystem>

#include "app/params/log_dump.h"
#include "app/params/log_memory.h"
#include "app/program/text_table.h"
#include "tests/app/service/service_fixture.h"

namespace {

class LogMemory : public ServiceTest {
 protected:
  using ServiceTest::ServiceTest;
  void SetUp() override {
    ServiceTest::SetUp();
    form25_ = std::make_unique<ScopedForm<TForm25>>(Form25);
  }
  void TearDown() override {
    form25_.reset();
    ServiceTest::TearDown();
  }
  TForm25& window() { return *Form25; }

  void DeviceLog(std::vector<int32_t> entries) {
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) {
      m.logEntries = std::move(entries);
      m.logHeader = {0, 5, 4, 3, 2, 1, 24, 0, 0, 0};
    });
  }
  // The data of every entry read, oldest first.
  std::vector<std::vector<uint8_t>> EntryReads() const {
    std::vector<std::vector<uint8_t>> reads;
    for (const auto& f : ReceivedOf(CMD_LOG_MEMORY))
      if (DataOf(f).size() == 3 && DataOf(f)[0] == 4) reads.push_back(DataOf(f));
    return reads;
  }
  // Stops the running dump once `rows` rows are shown: the click comes while
  // the dump waits for an answer, as a user's does.
  void StopAfter(const std::string& rows, bool& stopped) {
    if (window().Label20->Caption() == rows) {
      window().Button62->Click();
      stopped = true;
      return;
    }
    if (window().LogReadRunning == 1) Later([this, rows, &stopped] { StopAfter(rows, stopped); });
  }
  std::string DumpText() const { return FileText(dir_ / LOG_DUMP_FILE_NAME); }

  // "Max. Pointer-Wert", then "Werte lesen START"; the dump runs inside the click.
  void Dump() {
    window().Button61->Click();
    ASSERT_TRUE(window().Button62->Enabled());
    window().Button62->Click();
  }

 private:
  std::unique_ptr<ScopedForm<TForm25>> form25_;
};

std::vector<int32_t> Entries(int count) {
  std::vector<int32_t> entries;
  for (int i = 0; i < count; ++i) entries.push_back((i - 150) * 256);
  return entries;
}

TEST_F(LogMemory, StartStopValuesCountAndRingCounter) {
  DeviceLog(Entries(300));
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.ringCounter = 0xFFFFFFFE; });

  // Start and stop return before the answer; the link's "OK!" follows it.
  dialogs_.Answer(IDOK);
  window().Button59->Click();
  EXPECT_EQ(link().PendingCount, 1);
  ASSERT_TRUE(link().WaitUntilIdle());
  EXPECT_TRUE(sim_.Model(1).logRunning);
  EXPECT_FALSE(window().Button62->Enabled());

  window().Button61->Click();
  EXPECT_EQ(window().Label19->Caption(), "300");
  EXPECT_TRUE(window().Button62->Enabled());

  dialogs_.Answer(IDOK);
  window().Button60->Click();
  ASSERT_TRUE(link().WaitUntilIdle());
  EXPECT_FALSE(sim_.Model(1).logRunning);
  // A dump needs a fresh count after every start or stop.
  EXPECT_FALSE(window().Button62->Enabled());

  dialogs_.Answer(IDOK);
  window().Edit10->SetText("1000");
  window().Button63->Click();
  EXPECT_EQ(sim_.Model(1).logValuesRequested, 1000);

  window().Button2->Click();
  EXPECT_EQ(window().Label1->Caption(), "-2");

  const auto frames = ReceivedOf(CMD_LOG_MEMORY);
  std::vector<std::vector<uint8_t>> data;
  for (const auto& f : frames) data.push_back(DataOf(f));
  EXPECT_EQ(data, (std::vector<std::vector<uint8_t>>{{1}, {3}, {0}, {2, 0x03, 0xE8}, {0x63}}));
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"OK!", "OK!", "OK!"}));
}

TEST_F(LogMemory, ADumpOf300EntriesWritesTheGoldenFile) {
  DeviceLog(Entries(300));
  Dump();
  EXPECT_EQ(DumpText(), FileText(std::filesystem::path(GOLDEN_DIR) / "ring_count_log_300.txt"));
  // One request per entry, in order; the header once.
  const auto reads = EntryReads();
  ASSERT_EQ(reads.size(), 300u);
  for (size_t i = 0; i < reads.size(); ++i)
    EXPECT_EQ(reads[i], (std::vector<uint8_t>{4, static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i & 0xFF)}));
  EXPECT_EQ(CountOf(CMD_LOG_MEMORY, {5}), 1u);
  EXPECT_EQ(window().Label20->Caption(), "300");
  EXPECT_EQ(window().Label21->Caption(), "38144  /  00009500");
  EXPECT_EQ(window().Button62->Caption(), "Werte lesen START");
  EXPECT_EQ(window().LogReadRunning, 0);
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

TEST_F(LogMemory, ACountOfNoEntriesWritesTheHeaderOnly) {
  DeviceLog({});
  Dump();
  EXPECT_EQ(window().Label19->Caption(), "0");
  EXPECT_TRUE(EntryReads().empty());
  const std::string text = DumpText();
  EXPECT_TRUE(text.ends_with(std::string(43, '-') + "\n\n")) << text;
}

TEST_F(LogMemory, AStopClickEndsTheDumpWithTheFileComplete) {
  DeviceLog(Entries(300));
  window().Button61->Click();
  bool stopped = false;
  Later([&] { StopAfter("10", stopped); });
  window().Button62->Click();
  ASSERT_TRUE(stopped);
  EXPECT_EQ(window().LogReadRunning, 0);
  EXPECT_EQ(window().Button62->Caption(), "Werte lesen START");
  const size_t rows = EntryReads().size();
  EXPECT_GE(rows, 10u);
  EXPECT_LT(rows, 300u);
  // Every row read is in the file, whole, and nothing after it.
  const std::string text = DumpText();
  const std::string last = std::to_string(rows) + ";" + std::to_string((static_cast<int>(rows) - 151) * 256);
  EXPECT_NE(text.find("\n" + last + ";"), std::string::npos) << text;
  EXPECT_TRUE(text.ends_with("\n"));
  EXPECT_EQ(text.find("\n" + std::to_string(rows + 1) + ";"), std::string::npos);
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

TEST_F(LogMemory, AFileThatCannotBeCreatedStartsNothing) {
  DeviceLog(Entries(3));
  std::filesystem::create_directory(dir_ / LOG_DUMP_FILE_NAME);
  window().Button61->Click();
  const size_t before = Received().size();
  dialogs_.Answer(IDOK);
  window().Button62->Click();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text,
            "Datei \"ring_count_log.txt\" kann nicht angelegt werden! (Is a directory)");
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "FEHLER");
  EXPECT_EQ(Received().size(), before);
  EXPECT_EQ(window().LogReadRunning, 0);
  EXPECT_EQ(window().Button62->Caption(), "Werte lesen START");
}

TEST_F(LogMemory, AnEntryWithoutAnswerEndsTheDumpAndSaysWhere) {
  DeviceLog(Entries(5));
  window().Button61->Click();
  // The device loses two entries after it was asked for the count.
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.logEntries.resize(3); });
  dialogs_.Answer(IDOK);
  window().Button62->Click();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Eintrag 4 konnte nicht gelesen werden: die Datei endet davor.");
  EXPECT_TRUE(DumpText().ends_with("\n1;-38400;FFFF6A00\n2;-38144;FFFF6B00\n3;-37888;FFFF6C00\n")) << DumpText();
  EXPECT_EQ(EntryReads().size(), 4u);
  EXPECT_EQ(window().Button62->Caption(), "Werte lesen START");
}

TEST_F(LogMemory, TheExpertControlsFollowTheServiceWindowsExpertView) {
  for (TControl* c : std::initializer_list<TControl*>{window().Edit10, window().Button63, window().Button2,
                                                       window().Label1})
    EXPECT_FALSE(c->Visible()) << c->Name();
  link().SupervisorMode = 1;
  Form21->Label7->Click();
  for (TControl* c : std::initializer_list<TControl*>{window().Edit10, window().Button63, window().Button2,
                                                       window().Label1})
    EXPECT_TRUE(c->Visible()) << c->Name();
  Form21->Label7->Click();
  EXPECT_FALSE(window().Button63->Visible());
}

TEST_F(LogMemory, EnglishCaptions) {
  link().Options.lang = 1;
  window().ChangeLanguage();
  EXPECT_EQ(window().Caption(), "Logfunctions - channel 1");
  EXPECT_EQ(window().Label18->Caption(), "Log memory - channel 1");
  EXPECT_EQ(window().Button61->Caption(), "Max. pointer value");
  EXPECT_EQ(window().Button62->Caption(), "Read values START");
  EXPECT_EQ(window().Button2->Caption(), "Ring memory counter");
  EXPECT_EQ(window().Button1->Caption(), "Exit");
}

// Every entry costs the link's pause after a send, so a whole dump of 40000
// takes hours of program time; the loop over that many rows is shown
// without the device (log_dump_test). Here: the window takes the count
// unsigned and dumps, where a signed count would have written no row.
TEST_F(LogMemory, ACountOf40000IsDumped) {
  std::vector<int32_t> entries(40000, -256);
  DeviceLog(entries);
  window().Button61->Click();
  EXPECT_EQ(window().Label19->Caption(), "40000");
  EXPECT_EQ(window().LogMaxPointer, 40000);
  bool stopped = false;
  Later([&] { StopAfter("20", stopped); });
  window().Button62->Click();
  ASSERT_TRUE(stopped);
  const std::string text = DumpText();
  EXPECT_NE(text.find("\n1;-256;FFFFFF00\n2;-256;FFFFFF00\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n20;-256;FFFFFF00\n"), std::string::npos) << text;
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

}  // namespace

// Faults that fail one log-memory read: a silent device (both tries), a
// device error, a reply that is never valid.
struct ReadFault {
  const char* name;
  devsim::Fault fault;
};

std::vector<ReadFault> ReadFaults() {
  using devsim::Fault;
  using devsim::FaultKind;
  return {{"no answer", Fault(FaultKind::NoAnswer).On(CMD_LOG_MEMORY).Times(2)},
          {"device error", Fault(FaultKind::ErrorStatus).On(CMD_LOG_MEMORY)},
          {"error mark", Fault(FaultKind::ErrorMark).On(CMD_LOG_MEMORY)},
          {"bad checksum", Fault(FaultKind::WrongChecksum).On(CMD_LOG_MEMORY).Times(2)}};
}

TEST_F(LogMemory, AFailedCountShowsADashAndLeavesTheDumpDisabled) {
  for (const ReadFault& f : ReadFaults()) {
    SCOPED_TRACE(f.name);
    DeviceLog(Entries(300));
    window().Button61->Click();
    ASSERT_EQ(window().Label19->Caption(), "300");
    ASSERT_TRUE(window().Button62->Enabled());

    sim_.InjectFault(1, f.fault);
    window().Button61->Click();
    EXPECT_EQ(window().Label19->Caption(), "-");
    EXPECT_FALSE(window().Button62->Enabled());
    EXPECT_EQ(window().LogMaxPointer, 0);
    ASSERT_TRUE(link().WaitUntilIdle());
  }
}

TEST_F(LogMemory, AFailedRingCounterShowsADash) {
  for (const ReadFault& f : ReadFaults()) {
    SCOPED_TRACE(f.name);
    sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.ringCounter = 77; });
    window().Button2->Click();
    ASSERT_EQ(window().Label1->Caption(), "77");

    sim_.InjectFault(1, f.fault);
    window().Button2->Click();
    EXPECT_EQ(window().Label1->Caption(), "-");
    ASSERT_TRUE(link().WaitUntilIdle());
  }
}

TEST_F(LogMemory, AFailedHeaderReadWritesNoStartTimeOfAnEarlierDump) {
  for (const ReadFault& f : ReadFaults()) {
    SCOPED_TRACE(f.name);
    DeviceLog(Entries(2));
    Dump();
    ASSERT_NE(DumpText().find("Start: 02.01.24 03:04:05\n"), std::string::npos) << DumpText();

    // The header read is the dump's first log-memory request.
    window().Button61->Click();
    ASSERT_TRUE(window().Button62->Enabled());
    sim_.InjectFault(1, f.fault);
    window().Button62->Click();
    const std::string text = DumpText();
    EXPECT_EQ(text.find("Start: 02.01.24"), std::string::npos) << text;
    EXPECT_NE(text.find("\n\nStart: -\n\n"), std::string::npos) << text;
    // The entries are still dumped.
    EXPECT_TRUE(text.ends_with("\n1;-38400;FFFF6A00\n2;-38144;FFFF6B00\n")) << text;
    ASSERT_TRUE(link().WaitUntilIdle());
  }
}
