// The viewer's frame: its pages, the traffic-monitor switch, and the loops'
// ends by "ENDE", by the close box and by a link that refuses or gets no answer.
#include <QAbstractEventDispatcher>

#include "platform/clock/clock.h"
#include "tests/app/diag/runtime_viewer_fixture.h"

namespace {

class RuntimeViewerFrame : public RuntimeViewerTest {};

TEST_F(RuntimeViewerFrame, OpensOnTheExtensionBoardWithTwoPagesUnreachable) {
  TForm12& w = viewer();
  EXPECT_EQ(w.Caption(), "VD417-Debug (Laufzeitvariablen)");
  const std::vector<std::string> captions = {"GBL",          "LPC",  "ADC",     "ADM",  "RTC", "TEST DEBUG", "ADC CS5532",
                                             "ADC CS5532 2", "DIAG", "TEST-PB", "MISC", "EXB", "KP613-SPI"};
  ASSERT_EQ(w.PageControl1->PageCount(), 13);
  for (int i = 0; i < 13; ++i) {
    EXPECT_EQ(w.PageControl1->Page(i)->Caption(), captions[static_cast<size_t>(i)]);
    EXPECT_EQ(w.PageControl1->Page(i)->TabVisible(), i != PAGE_ADM && i != PAGE_RTC) << captions[static_cast<size_t>(i)];
  }
  w.Show();
  EXPECT_EQ(w.PageControl1->ActivePageIndex(), PAGE_EXB);
}

TEST_F(RuntimeViewerFrame, TheTrafficMonitorButtonTogglesTheMonitor) {
  TForm12& w = viewer();
  w.Button9->Click();
  EXPECT_TRUE(link().RS232Fenster1->Checked());
  EXPECT_TRUE(Form5->Visible());
  w.Button9->Click();
  EXPECT_FALSE(link().RS232Fenster1->Checked());
  EXPECT_FALSE(Form5->Visible());
}

TEST_F(RuntimeViewerFrame, EveryWayOfClosingClearsEveryLoopSwitch) {
  TForm12& w = viewer();
  const std::vector<TCheckBox*> boxes = {w.CheckBox1, w.CheckBox2, w.CheckBox3, w.CheckBox4, w.CheckBox11, w.CheckBox12};
  for (bool byEnde : {true, false}) {
    w.Show();
    for (TCheckBox* box : boxes) box->SetChecked(true);
    if (byEnde)
      w.Button1->Click();
    else
      w.Close();  // as the close box does
    EXPECT_FALSE(w.Visible());
    for (TCheckBox* box : boxes) EXPECT_FALSE(box->Checked()) << box->Name() << (byEnde ? " by ENDE" : " by close box");
  }
}

// Every loop of the window with its start button and its switch.
struct Loop {
  const char* name;
  TButton* TForm12::*button;
  TCheckBox* TForm12::*box;
  uint8_t command;
};
const Loop kLoops[] = {
    {"diagnosis", &TForm12::Button8, &TForm12::CheckBox1, CMD_DIAG_READ},
    {"LC-Err-Test1", &TForm12::Button26, &TForm12::CheckBox2, CMD_DEBUG_ACTION},
    {"VBat-Test", &TForm12::Button72, &TForm12::CheckBox11, CMD_DEBUG_ACTION},
    {"EXB inputs", &TForm12::Button67, &TForm12::CheckBox3, CMD_DEBUG_ACTION},
    {"EXB values", &TForm12::Button73, &TForm12::CheckBox4, CMD_READ_EXB_VALUES},
    {"belt scale", &TForm12::Button86, &TForm12::CheckBox12, CMD_READ_BELT_SCALE},
};

void PrepareLoop(TForm12& w) {
  w.RadioButton24->SetChecked(true);  // belt scale: channel 1, flow
  w.RadioButton28->SetChecked(true);
}

TEST_F(RuntimeViewerFrame, EveryLoopEndsFromEndeAndFromTheCloseBox) {
  TForm12& w = viewer();
  PrepareLoop(w);
  for (const Loop& loop : kLoops) {
    for (bool byEnde : {true, false}) {
      SCOPED_TRACE(std::string(loop.name) + (byEnde ? " / ENDE" : " / close box"));
      w.Show();
      sim_.Log().Clear();
      (w.*loop.box)->SetChecked(true);
      // Closed once the loop has sent three requests.
      WhenDuringCall([&] { return ReceivedOf(loop.command).size() >= 3; },
                     [&] { byEnde ? w.Button1->Click() : w.Close(); });
      (w.*loop.button)->Click();
      EXPECT_FALSE((w.*loop.box)->Checked());
      EXPECT_FALSE(w.Visible());
      EXPECT_GE(ReceivedOf(loop.command).size(), 3u);
      ASSERT_TRUE(PumpUntil([&] { return link().PendingCount == 0; }, std::chrono::seconds(30)));
    }
  }
}

TEST_F(RuntimeViewerFrame, LoopsThatTheLinkRefusesStayStoppableAndDoNotSpin) {
  TForm12& w = viewer();
  PrepareLoop(w);
  link().PortUsable = 0;  // every request is refused
  // How often the window thread let itself wait for an event.
  int waits = 0;
  const QMetaObject::Connection counting = QObject::connect(
      QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, [&] { ++waits; });
  for (const Loop& loop : kLoops) {
    SCOPED_TRACE(loop.name);
    w.Show();
    (w.*loop.box)->SetChecked(true);
    const int64_t start = platform::Clock::NowMs();
    waits = 0;
    WhenDuringCall([&] { return platform::Clock::NowMs() - start > 400; },
                   [&] { (w.*loop.box)->Click(); });  // the user unchecks the switch
    (w.*loop.button)->Click();
    EXPECT_FALSE((w.*loop.box)->Checked());
    // A loop that spun would only poll for events and never wait for one.
    EXPECT_GT(waits, 0);
    EXPECT_TRUE(Received().empty());
  }
  QObject::disconnect(counting);
}

TEST_F(RuntimeViewerFrame, ALoopEndsByItselfWhenTheSilentDeviceCausesACommunicationError) {
  TForm12& w = viewer();
  w.Show();
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).Times(devsim::kForever));
  dialogs_.Answer(IDOK);  // "Kommunikationsfehler PC<->Gerät (Adr.:1)!"
  w.Label22->SetCaption("U(lc)=12.00 V");
  w.CheckBox2->SetChecked(true);
  w.Button26->Click();
  EXPECT_FALSE(w.CheckBox2->Checked());
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Kommunikationsfehler PC<->Gerät (Adr.:1)!");
  // No answer came: the old value is not shown as current.
  EXPECT_EQ(w.Label22->Caption(), "-");
}

TEST_F(RuntimeViewerFrame, ALoopWaitingForASilentDeviceEndsFromEnde) {
  TForm12& w = viewer();
  w.Show();
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).Times(devsim::kForever));
  w.CheckBox4->SetChecked(true);
  WhenDuringCall([&] { return !ReceivedOf(CMD_READ_EXB_VALUES).empty(); }, [&] { w.Button1->Click(); });
  w.Button73->Click();
  EXPECT_FALSE(w.CheckBox4->Checked());
  EXPECT_FALSE(w.Visible());
  EXPECT_EQ(w.Label30->Caption(), "-");
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

}  // namespace
