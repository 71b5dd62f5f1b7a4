// The raw telegram tester against the simulated device: what goes on the
// wire, the reply in hex, refused lines, the history, and that the link's
// queue keeps off the port while the tester waits for its reply.
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>

#include "app/diag/tester_frame.h"
#include "tests/app/diag/diag_fixture.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;

const char* const kWeightLine = "02#01#05#28#00#00#00#01#03";
const std::vector<uint8_t> kWeightFrame = {0x02, 0x01, 0x05, 0x28, 0x00, 0x00, 0x00, 0x01, 0xFF, 0xD0, 0x03};

class TelegramTester : public DiagTest {
 protected:
  std::vector<std::vector<uint8_t>> Sent() const {
    std::vector<std::vector<uint8_t>> frames;
    for (const devsim::LogEntry& e : sim_.Log().Entries(devsim::Direction::Sent)) frames.push_back(e.bytes);
    return frames;
  }
};

TEST_F(TelegramTester, TheLineGoesOutWithItsChecksumAndTheReplyShowsInHex) {
  TForm4& t = tester();
  t.Edit7->SetText(kWeightLine);
  t.Button5->Click();

  ASSERT_EQ(Received().size(), 1u);
  EXPECT_EQ(Received()[0], kWeightFrame);
  ASSERT_EQ(Sent().size(), 1u);
  EXPECT_EQ(t.Edit8->Text(), HexGroups(Sent()[0].data(), Sent()[0].size()));
  EXPECT_EQ(t.Edit8->Text().substr(0, 6), "02 01 ");
  ASSERT_EQ(t.ListBox1->ItemCount(), 1);
  EXPECT_EQ(t.ListBox1->Item(0), kWeightLine);
  // After the reply the port is closed and its lamps say so.
  EXPECT_FALSE(link().ComPort1->Connected());
  EXPECT_EQ(Form5->Panel1->Color(), clRed);
  EXPECT_EQ(link().QueuePaused, 0);
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

TEST_F(TelegramTester, LinesThatMakeNoFrameAreRefusedAndNothingIsSent) {
  std::string tooMany;
  for (int i = 0; i < 131; ++i) tooMany += "01#";
  for (const std::string& line : {std::string(), std::string("02#XY#03"), std::string("02#123456789#03"), tooMany}) {
    dialogs_.Answer(IDOK);
    tester().Edit7->SetText(line);
    tester().Button5->Click();
    ASSERT_FALSE(dialogs_.Boxes().empty()) << line;
    EXPECT_EQ(dialogs_.Boxes().back().request.title, "Test RS232");
  }
  EXPECT_EQ(dialogs_.Boxes().size(), 4u);
  link().WaitMs(300);
  EXPECT_TRUE(Received().empty());
  EXPECT_EQ(tester().ListBox1->ItemCount(), 0);
  EXPECT_FALSE(link().ComPort1->Connected());
}

TEST_F(TelegramTester, TheQueueKeepsOffThePortWhileTheReplyIsAwaited) {
  // The reply comes late: several idle ticks of the queue pass meanwhile.
  sim_.InjectFault(1, Fault(FaultKind::Delay).On(CMD_READ_WEIGHT).DelayMs(250));
  OnceWhen([this] { return !Received().empty(); },
           [this] { link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1); });
  tester().Edit7->SetText(kWeightLine);
  tester().Button5->Click();

  // The reply was not lost to a closed port, and the queued request waited.
  EXPECT_FALSE(tester().Edit8->Text().empty());
  EXPECT_TRUE(ReceivedOf(CMD_ADC_INFO).empty());
  EXPECT_EQ(ReceivedOf(CMD_READ_WEIGHT).size(), 1u);
  // Afterwards the queue goes on.
  ASSERT_TRUE(link().WaitUntilIdle());
  EXPECT_EQ(ReceivedOf(CMD_ADC_INFO).size(), 1u);
}

TEST_F(TelegramTester, WithoutAReplyTheFieldStaysEmptyAndThePortIsLeftToTheQueue) {
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_READ_WEIGHT));
  tester().Edit8->SetText("old");
  tester().Edit7->SetText(kWeightLine);
  tester().Button5->Click();
  EXPECT_EQ(tester().Edit8->Text(), "");
  EXPECT_EQ(tester().ListBox1->ItemCount(), 1);
  EXPECT_TRUE(dialogs_.Boxes().empty());
  EXPECT_EQ(link().QueuePaused, 0);
  // The idle tick of the queue closes the port.
  ASSERT_TRUE(PumpUntil([&] { return !link().ComPort1->Connected(); }));
}

TEST_F(TelegramTester, CopyTakesTheSelectedHistoryLine) {
  TForm4& t = tester();
  t.ListBox1->AddItem("02#01#03");
  t.ListBox1->AddItem("02#01#03#1E#00#00#03");
  t.Edit7->SetText("typed");
  t.ListBox1->SetItemIndex(-1);
  t.Button6->Click();
  EXPECT_EQ(t.Edit7->Text(), "typed");
  t.ListBox1->SetItemIndex(1);
  t.Button6->Click();
  EXPECT_EQ(t.Edit7->Text(), "02#01#03#1E#00#00#03");
  t.Button3->Click();
  EXPECT_EQ(t.ListBox1->ItemCount(), 0);
}

TEST_F(TelegramTester, ASingleClickOnTheSendLineSelectsItWhole) {
  TForm4& t = tester();
  t.Edit7->SetText(kWeightLine);
  auto* line = static_cast<QLineEdit*>(t.Edit7->Widget());
  ASSERT_TRUE(line->selectedText().isEmpty());
  const QPointF at(20, 8);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, at, line->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(line, &event);
  }
  EXPECT_EQ(line->selectedText().toStdString(), kWeightLine);
}

}  // namespace
