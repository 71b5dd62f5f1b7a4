// The multipoint calibration dialog against the simulated device: the count
// of extra points and its display, storing a typed value, deleting the last
// or all extra points, and the ways out ("Beenden", "Abbrechen", close box).
#include <QWidget>

#include "tests/app/diag/calibration_fixture.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;

class Multipoint : public CalibrationTest {
 protected:
  TForm26& dialog() { return *Form26; }

  // The number of calibration points that the device answers for a channel
  // (the end point and the extra points).
  void DevicePoints(int channel, int answer) {
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) { m.channels[channel].calPoints = answer + 1; });
  }

  // The load calibration of `channel` opened from the service window, then its multipoint button.
  void Open(int channel) {
    Ready();
    window().ComboBox1->SetItemIndex(0);
    window().ComboBox5->SetItemIndex(5);
    (channel == 0 ? window().Kanal1 : window().Kanal2)->Click();
    Form22->FormActivate(nullptr);
    sim_.Log().Clear();
    Form22->Button5->Click();
    ASSERT_TRUE(dialog().Visible());
    dialog().Activate();
  }
};

TEST_F(Multipoint, TheLoadCalibrationOpensItForTheChannelAndItAsksForTheCount) {
  DevicePoints(0, 4);
  Open(0);
  EXPECT_EQ(DataSent(CMD_READ_CAL_POINTS), (std::vector<std::vector<uint8_t>>{{1}}));
  EXPECT_EQ(dialog().Label7->Caption(), "Mehrpunktkalibrierung Kanal 1");
  EXPECT_EQ(dialog().Label2->Caption(), "3");
  EXPECT_EQ(dialog().Label8->Caption(), "kg");
  EXPECT_FALSE(dialog().Button1->Enabled());
  EXPECT_TRUE(dialog().Button5->Enabled());
  EXPECT_TRUE(Form22->Visible());

  // A second activation, back from another window, asks nothing.
  dialog().FormActivate(nullptr);
  EXPECT_EQ(ReceivedOf(CMD_READ_CAL_POINTS).size(), 1u);
}

TEST_F(Multipoint, TheCountIsShownWithoutZeroAndEndPoint) {
  struct Case {
    int answer;
    const char* shown;
    bool max;
    bool deletes;
  };
  const Case cases[] = {{1, "0", false, false}, {0, "-1", false, false}, {3, "2", false, true},
                        {7, "6", true, true}};
  Open(0);
  for (const Case& c : cases) {
    DevicePoints(0, c.answer);
    dialog().ReadExtraPoints();
    EXPECT_EQ(dialog().Label2->Caption(), c.shown) << c.answer;
    EXPECT_EQ(dialog().Label5->Visible(), c.max) << c.answer;
    EXPECT_EQ(dialog().Button3->Enabled(), c.deletes) << c.answer;
    EXPECT_EQ(dialog().Button4->Enabled(), c.deletes) << c.answer;
    EXPECT_TRUE(dialog().Button2->Enabled()) << c.answer;
  }
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

TEST_F(Multipoint, MoreThanSixExtraPointsIsAReadErrorThatStopsStoringAndDeleting) {
  DevicePoints(0, 7);
  Open(0);
  ASSERT_EQ(dialog().Label2->Caption(), "6");
  DevicePoints(0, 8);
  dialogs_.Answer(IDCANCEL);  // shown again until OK
  dialogs_.Answer(IDOK);
  dialog().ReadExtraPoints();
  ASSERT_EQ(BoxTexts(), (std::vector<std::string>{"Fehler beim Lesen der Kalibrierpunkte!",
                                                  "Fehler beim Lesen der Kalibrierpunkte!"}));
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "FEHLER");
  EXPECT_EQ(dialogs_.Boxes()[0].request.icon, BoxIcon::Error);
  EXPECT_FALSE(dialog().Button2->Enabled());
  EXPECT_FALSE(dialog().Button3->Enabled());
  EXPECT_FALSE(dialog().Button4->Enabled());
  // The number and the MAX label keep what the last good count showed.
  EXPECT_EQ(dialog().Label2->Caption(), "6");
  EXPECT_TRUE(dialog().Label5->Visible());
}

TEST_F(Multipoint, AValueWithADecimalCommaIsStoredWithAPoint) {
  DevicePoints(0, 2);
  Open(0);
  dialog().Edit1->SetText("12,5");
  dialogs_.Answer(IDOK);  // the link's "OK!"
  dialog().Button2->Click();
  EXPECT_EQ(DataSent(CMD_EXT_CAL_POINT), (std::vector<std::vector<uint8_t>>{{0x01, '1', '2', '.', '5'}}));
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"OK!"});
  // The count is asked again and shows the new point.
  EXPECT_EQ(ReceivedOf(CMD_READ_CAL_POINTS).size(), 2u);
  EXPECT_EQ(dialog().Label2->Caption(), "2");
  EXPECT_TRUE(dialog().Button3->Enabled());
  EXPECT_EQ(dialog().Edit1->Text(), "12,5");
  // Only "Beenden" with its restart leaves the dialog now.
  EXPECT_TRUE(dialog().Button1->Enabled());
  EXPECT_FALSE(dialog().Button5->Enabled());
}

TEST_F(Multipoint, AnEmptyValueIsRefusedAndNothingIsSent) {
  Open(0);
  dialogs_.Answer(IDOK);
  dialog().Button2->Click();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Kein Wert für Zusatzpunkt eingegeben! -> Abbruch!"});
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "HINWEIS");
  EXPECT_TRUE(ReceivedOf(CMD_EXT_CAL_POINT).empty());
  EXPECT_TRUE(dialog().Button5->Enabled());
}

TEST_F(Multipoint, DeletingTheLastOrAllPointsOfChannelTwo) {
  DevicePoints(1, 5);
  Open(1);
  EXPECT_EQ(dialog().Label7->Caption(), "Mehrpunktkalibrierung Kanal 2");
  EXPECT_EQ(dialog().Label8->Caption(), "N");
  EXPECT_EQ(dialog().Label2->Caption(), "4");
  dialogs_.Answer(IDOK);
  dialog().Button3->Click();
  EXPECT_EQ(dialog().Label2->Caption(), "3");
  dialogs_.Answer(IDOK);
  dialog().Button4->Click();
  EXPECT_EQ(dialog().Label2->Caption(), "0");
  EXPECT_EQ(DataSent(CMD_DELETE_CAL_POINTS), (std::vector<std::vector<uint8_t>>{{2, 0}, {2, 1}}));
  EXPECT_EQ(DataSent(CMD_READ_CAL_POINTS).back(), std::vector<uint8_t>{2});
  EXPECT_FALSE(dialog().Button3->Enabled());
  EXPECT_FALSE(dialog().Button4->Enabled());
  EXPECT_TRUE(dialog().Button1->Enabled());
  EXPECT_FALSE(dialog().Button5->Enabled());
}

TEST_F(Multipoint, BeendenClosesBothDialogsAndRestartsTheDevice) {
  Open(0);
  dialogs_.Answer(IDOK);
  dialog().Edit1->SetText("5");
  dialog().Button2->Click();
  dialog().Button1->Click();
  EXPECT_FALSE(dialog().Visible());
  EXPECT_FALSE(Form22->Visible());
  EXPECT_EQ(dialog().MultipointDialogActive, 0);
  EXPECT_EQ(CountOf(CMD_RESET, {1}), 1u);
  EXPECT_EQ(link().SoftResetRequested, 0);
  // The reconnect has read the calibration back.
  EXPECT_EQ(ServiceConnected, 1);
  EXPECT_EQ(window().ReloadCalibration, 0);
  EXPECT_EQ(link().SetupPresent, 1);
}

TEST_F(Multipoint, AbbrechenClosesOnlyThisDialogAndTheNextOpeningAsksAgain) {
  Open(0);
  dialog().Button5->Click();
  EXPECT_FALSE(dialog().Visible());
  EXPECT_TRUE(Form22->Visible());
  EXPECT_EQ(CountOf(CMD_RESET), 0u);
  Form22->Button5->Click();
  dialog().Activate();
  EXPECT_EQ(ReceivedOf(CMD_READ_CAL_POINTS).size(), 2u);
}

TEST_F(Multipoint, TheCloseBoxLeavesAsTheEnabledExitButtonDoes) {
  Open(0);
  dialog().Widget()->close();
  EXPECT_FALSE(dialog().Visible());
  EXPECT_TRUE(Form22->Visible());
  EXPECT_EQ(dialog().MultipointDialogActive, 0);
  EXPECT_EQ(CountOf(CMD_RESET), 0u);

  // After a stored point only the restart leaves.
  Form22->Button5->Click();
  dialog().Activate();
  EXPECT_EQ(ReceivedOf(CMD_READ_CAL_POINTS).size(), 2u);
  dialogs_.Answer(IDOK);
  dialog().Edit1->SetText("5");
  dialog().Button2->Click();
  dialog().Widget()->close();
  EXPECT_FALSE(dialog().Visible());
  EXPECT_FALSE(Form22->Visible());
  EXPECT_EQ(CountOf(CMD_RESET, {1}), 1u);
}

TEST_F(Multipoint, ACountThatDoesNotComeIsNotTakenFromAnEarlierReply) {
  DevicePoints(0, 5);
  Open(0);
  ASSERT_EQ(dialog().Label2->Caption(), "4");
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_READ_CAL_POINTS).Times(2));
  dialog().ReadExtraPoints();
  EXPECT_EQ(dialog().Label2->Caption(), "-");
  EXPECT_FALSE(dialog().Button3->Enabled());
  EXPECT_FALSE(dialog().Button4->Enabled());
}

TEST_F(Multipoint, TheLanguageSwitchRecaptionsTheDialog) {
  link().Options.lang = 1;
  link().ChangeLanguageAll();
  EXPECT_EQ(dialog().Caption(), "Multi point calibration");
  EXPECT_EQ(dialog().Label4->Caption(), "Additional point");
  EXPECT_EQ(dialog().Label1->Caption(), "Store load");
  EXPECT_EQ(dialog().Label6->Caption(), "Delete additional points");
  EXPECT_EQ(dialog().Button3->Caption(), "Last additional point");
  EXPECT_EQ(dialog().Button4->Caption(), "All additional points");
  EXPECT_EQ(dialog().Button5->Caption(), "Cancel");
  EXPECT_EQ(dialog().Button1->Caption(), "Exit");
  EXPECT_EQ(dialog().Label3->Caption(), "/ 6");
  link().Options.lang = 0;
  link().ChangeLanguageAll();
  EXPECT_EQ(dialog().Button3->Caption(), "Letzter Zusatzpunkt");
  EXPECT_EQ(dialog().Label5->Caption(), "-> MAX.!");
}

}  // namespace
