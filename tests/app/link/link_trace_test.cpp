// The traffic trace: the traffic monitor's boxes and "rs232_log.txt".
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/link/telegram.h"
#include "tests/app/link/link_fixture.h"
#include "tests/support/file_size_limit.h"

namespace {

class TraceTest : public LinkTest {
 protected:
  void SetUp() override {
    LinkTest::SetUp();
    dir_ = std::filesystem::temp_directory_path() / ("link_trace_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
  }
  void TearDown() override {
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(dir_);
    LinkTest::TearDown();
  }
  std::string LogText() const {
    std::ifstream in(dir_ / "rs232_log.txt", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::vector<std::string> LogLines() {
    std::ifstream in(dir_ / "rs232_log.txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  std::filesystem::path dir_, old_;
};

TEST_F(TraceTest, TheTraceFileAndTheMonitorShowARequestAndItsReply) {
  link().RS232Fenster1->SetChecked(true);
  ASSERT_TRUE(link().OpenTraceFile());
  ASSERT_TRUE(Request(CMD_READ_WEIGHT, {0x00, 0x01}));
  link().CloseTraceFile();

  const std::vector<uint8_t> request{0x02, 0x01, 0x05, 0x28, 0x00, 0x00, 0x00, 0x01, 0xFF, 0xD0, 0x03};
  const auto sent = sim_.Log().Entries(devsim::Direction::Sent);
  ASSERT_EQ(sent.size(), 1u);
  const std::vector<uint8_t>& reply = sent[0].bytes;
  const std::vector<uint8_t> replyChars(reply.begin(), reply.end() - 2);

  // The file as a whole: frame bytes may hold line feeds.
  std::ifstream in(dir_ / "rs232_log.txt", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string header = "Device - RS232-Logging\n\nStart: ";
  ASSERT_EQ(text.rfind(header, 0), 0u);
  const size_t body = text.find("\n\n", header.size());
  ASSERT_NE(body, std::string::npos);
  EXPECT_EQ(text.substr(body + 2),
            "PC->Device (B): 02 01 05 28 00 00 00 01 FF D0 03 \n"
            "PC->Device (A): " +
                CharTraceLine(request) +
                "\n"
                "Device->PC (B): " +
                HexTraceLine(reply) +
                "\n"
                "Device->PC (A): " +
                CharTraceLine(replyChars) + "\n");

  EXPECT_EQ(Form5->Memo1->Text(), "02 01 05 28 00 00 00 01 FF D0 03 ");
  EXPECT_EQ(Form5->Memo3->Text(), HexTraceLine(reply));
  EXPECT_EQ(Form5->Panel1->Color(), clGreen);
}

TEST_F(TraceTest, NothingIsTracedToTheMonitorWhileItIsOffAndRepliesGoToTheReplyField) {
  link().RS232Daten1->SetChecked(true);
  ASSERT_TRUE(link().OpenTraceFile());
  ASSERT_TRUE(Request(CMD_ADC_INFO));
  link().CloseTraceFile();
  EXPECT_EQ(LogLines().size(), 4u);  // the header only
  EXPECT_EQ(Form5->Memo1->Text(), "");
  const auto sent = sim_.Log().Entries(devsim::Direction::Sent);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(link().Edit1->Text(), HexTraceLine(sent[0].bytes));
}

TEST_F(TraceTest, AClosedTraceFileIsNotWrittenAnyMore) {
  link().RS232Fenster1->SetChecked(true);
  ASSERT_TRUE(link().OpenTraceFile());
  link().CloseTraceFile();
  EXPECT_EQ(link().Rs232LoggingOn, 0);
  ASSERT_TRUE(Request(CMD_ADC_INFO));
  EXPECT_EQ(LogLines().size(), 4u);
}

TEST_F(TraceTest, AnOlderTraceStaysWholeUntilTheNewOneIsClosed) {
  std::ofstream(dir_ / "rs232_log.txt") << "an older trace\n";
  link().RS232Fenster1->SetChecked(true);
  ASSERT_TRUE(link().OpenTraceFile());
  ASSERT_TRUE(Request(CMD_ADC_INFO));
  EXPECT_EQ(LogText(), "an older trace\n");
  link().CloseTraceFile();
  EXPECT_EQ(LogText().rfind("Device - RS232-Logging\n\nStart: ", 0), 0u);
  EXPECT_EQ(LogLines().size(), 8u);  // the header and a request with its reply
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

TEST_F(TraceTest, AFullDiskIsReportedOnceAndTheOlderTraceStays) {
  std::ofstream(dir_ / "rs232_log.txt") << "an older trace\n";
  link().RS232Fenster1->SetChecked(true);
  dialogs_.Answer(IDOK);
  {
    const ScopedFileSizeLimit limit(300);
    ASSERT_TRUE(limit.Active());
    ASSERT_TRUE(link().OpenTraceFile());
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(Request(CMD_ADC_INFO));
    // The box comes once the transfer in which the write failed is over.
    ASSERT_TRUE(PumpUntil([&] { return !dialogs_.Boxes().empty(); }));
    ASSERT_TRUE(Request(CMD_ADC_INFO));
    link().CloseTraceFile();
  }
  TestApplication().ProcessMessages();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Fehler beim Schreiben der Datei \"rs232_log.txt\"!\n" +
                                                  std::make_error_code(std::errc::file_too_large).message());
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "FEHLER");
  EXPECT_EQ(LogText(), "an older trace\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), std::filesystem::directory_iterator()), 1);
}

TEST_F(TraceTest, EveryStreamFrameOfABatchIsLoggedAndTheMonitorShowsTheNewest) {
  link().RS232Fenster1->SetChecked(true);
  ASSERT_TRUE(link().OpenTraceFile());
  link().Options.sdcont = 1;
  link().Timer1->SetEnabled(false);
  link().ComPort1->Open();
  std::vector<std::vector<uint8_t>> frames;
  std::vector<uint8_t> line;
  for (int32_t v = 0; v < 20; ++v) {
    frames.push_back(devsim::EncodeStreamFrame(v * 0x01020304));
    line.insert(line.end(), frames.back().begin(), frames.back().end());
  }
  // Nineteen wait in the port and are framed with the twentieth in one event.
  link().ReceiveDisabled = 1;
  sim_.SendRaw(std::vector<uint8_t>(line.begin(), line.end() - 6));
  ASSERT_TRUE(PumpUntil([&] { return link().ComPort1->InputCount() == 114; }));
  link().ReceiveDisabled = 0;
  sim_.SendRaw(frames.back());
  ASSERT_TRUE(PumpUntil([&] { return link().StreamIndex == 20; }));
  ASSERT_TRUE(PumpUntil([&] { return Form5->Memo3->Text() == HexTraceLine(frames.back()); }));
  EXPECT_EQ(Form5->Memo4->Text(), CharTraceLine(frames.back()));
  link().CloseTraceFile();

  std::string expected;
  for (const auto& f : frames)
    expected += "Device->PC (B): " + HexTraceLine(f) + "\n" + "Device->PC (A): " + CharTraceLine(f) + "\n";
  std::ifstream in(dir_ / "rs232_log.txt", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t body = text.find("\n\n", text.find("Start: "));
  ASSERT_NE(body, std::string::npos);
  EXPECT_EQ(text.substr(body + 2), expected);
}

}  // namespace
