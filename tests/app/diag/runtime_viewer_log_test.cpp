// The log-memory page and its dump file "ring_count_log.txt".
#include <fstream>

#include "app/params/log_dump.h"
#include "tests/app/diag/runtime_viewer_fixture.h"
#include "tests/support/file_size_limit.h"

namespace {

class RuntimeLog : public RuntimeViewerTest {
 protected:
  void Entries(std::vector<int32_t> entries) {
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) { m.logEntries = std::move(entries); });
  }
  void Count() {
    viewer().Button61->Click();
    ASSERT_TRUE(viewer().Button62->Enabled());
  }
};

TEST_F(RuntimeLog, TheDumpWritesTheViewersHeaderAndOneRowPerEntry) {
  // An entry travels as its bits 23..8.
  Entries({256, -256, 0, 0x7FFF00});
  TForm12& w = viewer();
  EXPECT_FALSE(w.Button62->Enabled());
  Count();
  EXPECT_EQ(w.Label19->Caption(), "4");
  w.Button62->Click();
  EXPECT_EQ(FileText(dir_ / "ring_count_log.txt"),
            "VD417 - Ringspeicher -> Teile \n\n"
            "Index;long-Wert(dec);long-Wert(hex)\n"
            "------------------------------------\n\n"
            "1;256;00000100\n"
            "2;-256;FFFFFF00\n"
            "3;0;00000000\n"
            "4;8388352;007FFF00\n");
  EXPECT_EQ(w.Label20->Caption(), "4");
  EXPECT_EQ(w.Label21->Caption(), "8388352  /  007FFF00");
  EXPECT_EQ(w.Button62->Caption(), "Werte lesen START");
  EXPECT_EQ(w.LogDumpRunning, 0);
}

TEST_F(RuntimeLog, EveryEntryIsAskedForByItsOwnIndex) {
  std::vector<int32_t> entries;
  for (int i = 0; i < 130; ++i) entries.push_back(i * 256);
  Entries(entries);
  Count();
  sim_.Log().Clear();
  viewer().Button62->Click();
  const std::vector<Data> sent = DataSent(CMD_LOG_MEMORY);
  ASSERT_EQ(sent.size(), 130u);
  EXPECT_EQ(sent[0], (Data{4, 0, 0}));
  EXPECT_EQ(sent[128], (Data{4, 0, 0x80}));
  EXPECT_EQ(sent[129], (Data{4, 0, 0x81}));
  const std::string text = FileText(dir_ / "ring_count_log.txt");
  EXPECT_NE(text.find("\n130;33024;00008100\n"), std::string::npos);
  EXPECT_EQ(viewer().Label20->Caption(), "130");
}

TEST_F(RuntimeLog, AStopClickEndsALargeDumpWithTheFileClosed) {
  // More than 32767 entries: the count is unsigned, so the dump has rows to write.
  Entries(std::vector<int32_t>(40000, 512));
  TForm12& w = viewer();
  Count();
  EXPECT_EQ(w.LogEntryCount, 40000);
  WhenDuringCall([&] { return std::atoi(w.Label20->Caption().c_str()) >= 5; }, [&] { w.Button62->Click(); });
  w.Button62->Click();
  EXPECT_EQ(w.Button62->Caption(), "Werte lesen START");
  EXPECT_EQ(w.LogDumpRunning, 0);
  const std::string text = FileText(dir_ / "ring_count_log.txt");
  EXPECT_NE(text.find("\n5;512;00000200\n"), std::string::npos);
  EXPECT_LT(DataSent(CMD_LOG_MEMORY).size(), 20u);
}

TEST_F(RuntimeLog, ADumpStopsAtAnEntryWithoutAnswer) {
  Entries({256, 512, 768});
  TForm12& w = viewer();
  Count();
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).On(CMD_LOG_MEMORY).Times(2));
  // The first entry is not answered (both tries): no row carries a value not read for it.
  w.Button62->Click();
  EXPECT_EQ(FileText(dir_ / "ring_count_log.txt").find("1;"), std::string::npos);
  EXPECT_EQ(w.Label21->Caption(), "-");
}

TEST_F(RuntimeLog, AFileThatCannotBeCreatedIsReported) {
  Entries({256});
  Count();
  std::filesystem::create_directory(dir_ / "ring_count_log.txt");
  dialogs_.Answer(IDOK);
  viewer().Button62->Click();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "FEHLER");
  EXPECT_EQ(viewer().Button62->Caption(), "Werte lesen START");
  EXPECT_EQ(viewer().LogDumpRunning, 0);
}

TEST_F(RuntimeLog, AFullDiskStopsTheDumpAndKeepsTheOlderFile) {
  Entries(std::vector<int32_t>(200, 512));
  Count();
  const std::string old = "an older dump\n";
  std::ofstream(dir_ / "ring_count_log.txt") << old;
  sim_.Log().Clear();
  dialogs_.Answer(IDOK);
  {
    const ScopedFileSizeLimit limit(400);
    ASSERT_TRUE(limit.Active());
    viewer().Button62->Click();
  }
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "FEHLER");
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Fehler beim Schreiben der Datei \"ring_count_log.txt\"!\n" +
                                                  std::make_error_code(std::errc::file_too_large).message());
  EXPECT_EQ(FileText(dir_ / "ring_count_log.txt"), old);
  // The entries after the failure are not read any more.
  EXPECT_LT(DataSent(CMD_LOG_MEMORY).size(), 50u);
  EXPECT_EQ(viewer().LogDumpRunning, 0);
  for (const auto& entry : std::filesystem::directory_iterator(dir_))
    EXPECT_EQ(entry.path().extension(), ".txt") << entry.path();
}

TEST_F(RuntimeLog, ValuesAreClampedTo8000AndStartStopNeedAFreshCount) {
  TForm12& w = viewer();
  w.Edit10->SetText("9000");
  w.Edit10Exit(nullptr);
  EXPECT_EQ(w.Edit10->Text(), "8000");
  dialogs_.Answer(IDOK);  // "OK!"
  w.Button63->Click();
  EXPECT_EQ(DataSent(CMD_LOG_MEMORY), (std::vector<Data>{{2, 0x1F, 0x40}}));
  EXPECT_EQ(sim_.Model(1).logValuesRequested, 8000);

  Entries({1});
  Count();
  dialogs_.Answer(IDOK);
  w.Button59->Click();
  EXPECT_FALSE(w.Button62->Enabled());
  ASSERT_TRUE(PumpUntil([&] { return sim_.Model(1).logRunning && link().PendingCount == 0; }));
  Count();
  dialogs_.Answer(IDOK);
  w.Button60->Click();
  EXPECT_FALSE(w.Button62->Enabled());
  ASSERT_TRUE(PumpUntil([&] { return !sim_.Model(1).logRunning && link().PendingCount == 0; }));
}

TEST_F(RuntimeLog, ACountWithoutAnswerLeavesTheDumpDisabled) {
  Entries({1, 2});
  TForm12& w = viewer();
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).On(CMD_LOG_MEMORY).Times(2));
  w.Button61->Click();
  EXPECT_EQ(w.Label19->Caption(), "-");
  EXPECT_FALSE(w.Button62->Enabled());
}

}  // namespace
