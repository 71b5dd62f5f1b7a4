// The terminal window on the link's port against the simulated device:
// text that the device sends, taking and releasing the port, the keep-open
// flag, and the close box.
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>

#include "tests/app/diag/diag_fixture.h"

namespace {

class TerminalWindow : public DiagTest {
 protected:
  bool Holding() const {
    const TForm15& t = *Form15;
    return t.Button3->Enabled() && !t.Button4->Enabled() && t.Panel1->Color() == clGreen;
  }
  bool Released() const {
    const TForm15& t = *Form15;
    return !t.Button3->Enabled() && t.Button4->Enabled() && t.Panel1->Color() == clRed;
  }
  void SendText(const std::string& text) { sim_.SendRaw(devsim::Bytes(text.begin(), text.end())); }
};

TEST_F(TerminalWindow, TheMenuEntryAttachesTheTerminalAndTheDevicesTextAppears) {
  link().TestRs232terminal1->Click();
  ASSERT_TRUE(terminal().Visible());
  EXPECT_EQ(terminal().ComTerminal1->ComPort(), link().ComPort1);
  terminal().Button4->Click();
  ASSERT_TRUE(Holding());
  EXPECT_TRUE(link().ComPort1->Connected());
  EXPECT_EQ(link().KeepPortOpen, 1);
  EXPECT_EQ(link().Label19->Caption(), "Open");

  SendText("VD417 start\r\n\x1b[1mADC ok\x1b[0m\r\n");
  const TerminalScreen& screen = terminal().ComTerminal1->Screen();
  ASSERT_TRUE(PumpUntil([&] { return screen.Line(1) == "ADC ok"; }));
  EXPECT_EQ(screen.Line(0), "VD417 start");
  EXPECT_EQ(screen.Columns(), 98);
  EXPECT_EQ(screen.Rows(), 40);

  // The idle queue tick leaves the held port open, and the link still works on it.
  link().WaitMs(1500);
  EXPECT_TRUE(link().ComPort1->Connected());
  ASSERT_TRUE(Request(CMD_ADC_INFO));
  EXPECT_EQ(link().TransferFailed, 0);
  // The terminal sees the reply's bytes as well, in front of the text that follows.
  SendText("after\r\n");
  ASSERT_TRUE(PumpUntil([&] { return screen.Line(2).ends_with("after"); }));
  EXPECT_GT(screen.Line(2).size(), 5u);

  terminal().Button5->Click();
  EXPECT_EQ(screen.Line(0), "");
}

TEST_F(TerminalWindow, ReleasingClosesThePortAndActivationTakesItAgain) {
  TForm15& t = terminal();
  t.Button4->Click();
  ASSERT_TRUE(Holding());
  t.Button3->Click();
  EXPECT_TRUE(Released());
  EXPECT_FALSE(link().ComPort1->Connected());
  EXPECT_EQ(link().KeepPortOpen, 0);
  EXPECT_EQ(link().Label19->Caption(), "Close");
  EXPECT_EQ(Form5->Panel1->Color(), clRed);
  EXPECT_EQ(t.ComTerminal1->ComPort(), nullptr);
  // Text on the line now reaches no terminal.
  link().ComPort1->Open();
  SendText("unseen\r\n");
  link().WaitMs(300);
  EXPECT_EQ(t.ComTerminal1->Screen().Line(0), "");
  link().ComPort1->Close();
  EXPECT_TRUE(link().Timer1->Enabled());

  // The window stays open released; activating it takes the port again.
  t.FormActivate(nullptr);
  EXPECT_TRUE(Holding());
  EXPECT_EQ(link().KeepPortOpen, 1);
  // Activation while holding changes nothing.
  t.FormActivate(nullptr);
  EXPECT_TRUE(Holding());
}

TEST_F(TerminalWindow, TakingAPortThatATransferLeftOpenStillKeepsItOpen) {
  // A transfer has just opened the port; the idle tick would close it soon.
  ASSERT_TRUE(Request(CMD_ADC_INFO));
  ASSERT_TRUE(link().ComPort1->Connected());
  terminal().Button4->Click();
  EXPECT_EQ(link().KeepPortOpen, 1);
  link().WaitMs(1500);
  EXPECT_TRUE(link().ComPort1->Connected());
}

TEST_F(TerminalWindow, ReleasingAPortThatIsAlreadyClosedStillEndsTheKeepOpen) {
  TForm15& t = terminal();
  t.Button4->Click();
  ASSERT_TRUE(Holding());
  link().ComPort1->Close();  // closed behind the terminal's back
  t.Button3->Click();
  EXPECT_TRUE(Released());
  EXPECT_EQ(link().KeepPortOpen, 0);
  EXPECT_EQ(t.ComTerminal1->ComPort(), nullptr);
}

TEST_F(TerminalWindow, TheCloseBoxAndBeendenReleaseThePort) {
  for (bool closeBox : {true, false}) {
    TForm15& t = terminal();
    t.Show();
    t.Button4->Click();
    ASSERT_TRUE(Holding());
    if (closeBox)
      t.Close();
    else
      t.Button1->Click();
    EXPECT_FALSE(t.Visible()) << closeBox;
    EXPECT_TRUE(Released()) << closeBox;
    EXPECT_EQ(link().KeepPortOpen, 0) << closeBox;
    EXPECT_EQ(t.ComTerminal1->ComPort(), nullptr) << closeBox;
    ASSERT_TRUE(PumpUntil([&] { return !link().ComPort1->Connected(); })) << closeBox;
  }
}

TEST_F(TerminalWindow, APortThatCannotBeOpenedIsReportedAndNotTaken) {
  link().ComPort1->SetPort("/dev/nonexistent-terminal-port");
  dialogs_.Answer(IDOK);
  terminal().Button4->Click();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_NE(dialogs_.Boxes()[0].request.text.find("/dev/nonexistent-terminal-port"), std::string::npos);
  EXPECT_TRUE(Released());
  EXPECT_EQ(link().KeepPortOpen, 0);
  EXPECT_TRUE(link().Timer1->Enabled());
}

TEST_F(TerminalWindow, CaptionsFollowTheLanguage) {
  link().Options.lang = 1;
  terminal().ChangeLanguage();
  EXPECT_EQ(terminal().Caption(), "Terminal window");
  EXPECT_EQ(terminal().Button4->Caption(), "Open comport");
  EXPECT_EQ(terminal().Button1->Caption(), "Exit");
  link().Options.lang = 0;
  terminal().ChangeLanguage();
  EXPECT_EQ(terminal().Button3->Caption(), "COM-Port schliessen");
  EXPECT_EQ(terminal().Button1->Caption(), "Beenden");
}

TEST_F(TerminalWindow, TheConfigurationSetsWrappingAndLineFeeds) {
  // The user turns wrapping off and LF into a new line, then takes the settings.
  QTimer::singleShot(50, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    const auto boxes = dialog->findChildren<QCheckBox*>();
    ASSERT_EQ(boxes.size(), 3);
    boxes[0]->setChecked(false);
    boxes[1]->setChecked(true);
    boxes[2]->setChecked(false);
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  });
  terminal().Button2->Click();
  const TerminalScreen& screen = terminal().ComTerminal1->Screen();
  EXPECT_FALSE(screen.WrapLines);
  EXPECT_TRUE(screen.NewLineOnLf);
  EXPECT_FALSE(screen.UnprintableAsHex);
  const std::string longLine(120, 'x');
  const std::string text = longLine + "\nne\x02xt\xFF";
  terminal().ComTerminal1->Write(
      std::span<const unsigned char>(reinterpret_cast<const unsigned char*>(text.data()), text.size()));
  EXPECT_EQ(screen.Line(0), std::string(98, 'x'));
  EXPECT_EQ(screen.Line(1), "next");
}

}  // namespace
