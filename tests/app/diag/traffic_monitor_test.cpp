// The traffic monitor's own buttons: clearing the boxes and the port's
// buffers, the end by "Beenden" or the close box, the terminal, and the
// hidden port and error-code buttons; and the file viewer's end.
#include "app/diag/terminal_window.h"
#include "app/diag/traffic_monitor.h"
#include "platform/serial/com_port.h"
#include "tests/app/link/test_window_fixture.h"

namespace {

class TrafficMonitor : public TestWindowTest {
 protected:
  TForm5& window() { return *Form5; }
  std::vector<std::string> Memos() {
    return {window().Memo1->Text(), window().Memo2->Text(), window().Memo3->Text(), window().Memo4->Text()};
  }
  void ShowMonitor() {
    link().RS232Fenster1Click(nullptr);
    ASSERT_TRUE(link().RS232Fenster1->Checked());
    ASSERT_TRUE(window().Visible());
  }
};

TEST_F(TrafficMonitor, ItsBoxesStartEmptyAndShowTheLastTelegramAndReply) {
  EXPECT_EQ(Memos(), std::vector<std::string>(4, ""));
  ShowMonitor();
  ASSERT_TRUE(Request(CMD_ADC_INFO));
  for (const std::string& text : Memos()) EXPECT_FALSE(text.empty());
  EXPECT_EQ(window().Memo1->Text().rfind("02 01 ", 0), 0u) << "the frame from STX, in hex";
}

TEST_F(TrafficMonitor, ClearingEmptiesTheBoxesAndDiscardsWhatWaitsInThePort) {
  ShowMonitor();
  ASSERT_TRUE(Request(CMD_ADC_INFO));
  // The device's value stream runs; its frames are left unread in the open port.
  link().StartContinuousOutput(0);
  ASSERT_TRUE(link().ComPort1->Connected());
  link().ReceiveDisabled = 1;
  ASSERT_TRUE(PumpUntil([&] { return link().ComPort1->InputCount() > 0; }));

  window().Button1->Click();
  EXPECT_EQ(Memos(), std::vector<std::string>(4, ""));
  EXPECT_EQ(link().ComPort1->InputCount(), 0);
  link().ReceiveDisabled = 0;
  link().StopContinuousOutput(0);
  ASSERT_TRUE(PumpUntil([&] { return link().PendingCount == 0; }));

  // The hidden port buttons open and close the port and show it.
  window().Button4->Click();
  ASSERT_TRUE(link().ComPort1->Connected());
  EXPECT_EQ(link().Label19->Caption(), "Open");
  EXPECT_EQ(window().Panel1->Color(), clGreen);
  window().Button5->Click();
  EXPECT_FALSE(link().ComPort1->Connected());
  EXPECT_EQ(link().Label19->Caption(), "Close");
  EXPECT_EQ(window().Panel1->Color(), clRed);
  // With the port closed only the boxes are cleared.
  window().Memo1->SetText("02 ");
  window().Button1->Click();
  EXPECT_EQ(Memos(), std::vector<std::string>(4, ""));
}

TEST_F(TrafficMonitor, BeendenAndTheCloseBoxBothStopTheMonitor) {
  for (bool closeBox : {false, true}) {
    SCOPED_TRACE(closeBox ? "close box" : "Beenden");
    ShowMonitor();
    if (closeBox)
      window().Close();
    else
      window().Button2->Click();
    EXPECT_FALSE(window().Visible());
    EXPECT_FALSE(link().RS232Fenster1->Checked());
    EXPECT_TRUE(link().RS232Daten1->Checked());
    // The hidden boxes are not written any more.
    window().Button1->Click();
    ASSERT_TRUE(Request(CMD_ADC_INFO));
    EXPECT_EQ(window().Memo1->Text(), "");
  }
}

TEST_F(TrafficMonitor, TheTerminalButtonShowsTheTerminal) {
  ScopedForm<TForm15> terminal(Form15);
  window().Button6->Click();
  EXPECT_TRUE(Form15->Visible());
  Form15->Hide();
}

TEST_F(TrafficMonitor, TheHiddenErrorCodeButtonQueuesTheRequestWithoutWaiting) {
  window().Button3->Click();
  EXPECT_EQ(link().PendingCount, 1);
  ASSERT_TRUE(PumpUntil([&] { return link().PendingCount == 0; }));
  const auto frames = ReceivedOf(CMD_ERROR_CODES);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(DataOf(frames[0]), std::vector<uint8_t>{});
}

TEST_F(TrafficMonitor, CaptionsFollowTheLanguage) {
  link().Options.lang = 1;
  window().ChangeLanguage();
  EXPECT_EQ(window().Caption(), "Serial data (Binary/ASCII)");
  EXPECT_EQ(window().GroupBox2->Caption(), "Device -> PC");
  EXPECT_EQ(window().Button2->Caption(), "Exit");
}

TEST(FileViewer, EndeClosesTheViewerAndKeepsTheText) {
  TestApplication();
  ScopedForm<TForm20> viewer(Form20);
  Form20->RichEdit1->SetText("Zeile 1\nZeile 2");
  Form20->Show();
  Form20->Button1->Click();
  EXPECT_FALSE(Form20->Visible());
  EXPECT_EQ(Form20->RichEdit1->Text(), "Zeile 1\nZeile 2");
}

}  // namespace
