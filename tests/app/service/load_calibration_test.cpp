// The load calibration of the service window against the simulated device:
// the device prepared, the zero and end steps with their telegrams and
// states, "Beenden" and "Abbrechen".
#include "app/service/load_calibration.h"
#include "tests/app/service/service_fixture.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;

class LoadCalibration : public ServiceTest {
 protected:
  void SetUp() override {
    ServiceTest::SetUp();
    form22_ = std::make_unique<ScopedForm<TForm22>>(Form22);
  }
  void TearDown() override {
    form22_.reset();
    ServiceTest::TearDown();
  }
  TForm22& dialog() { return *Form22; }

  // Connected, with nominal value 10 kg on both channels, and the dialog open for `channel`.
  void Open(int channel) {
    Connect();
    window().Edit1->SetText("10");
    window().Edit3->SetText("10");
    window().ComboBox1->SetItemIndex(0);
    window().ComboBox5->SetItemIndex(5);
    sim_.Log().Clear();
    if (channel == 0)
      window().Kanal1->Click();
    else
      window().Kanal2->Click();
    dialog().FormActivate(nullptr);
  }

  // Block reads that the device received: start address and length.
  std::vector<std::pair<int, int>> BlockReads() const {
    std::vector<std::pair<int, int>> reads;
    for (const auto& f : ReceivedOf(CMD_BLOCK_READ)) {
      const std::vector<uint8_t> d = DataOf(f);
      if (d.size() >= 5) reads.emplace_back(d[0] << 8 | d[1], d[3] << 8 | d[4]);
    }
    return reads;
  }

 private:
  std::unique_ptr<ScopedForm<TForm22>> form22_;
};

TEST_F(LoadCalibration, TheMenuEntryPreparesTheDeviceAndOpensTheDialog) {
  Open(0);
  EXPECT_EQ(CountOf(CMD_ADC_MODE, {0, 0}), 1u);
  EXPECT_EQ(CountOf(CMD_SELECT_CHANNEL, {1}), 1u);
  EXPECT_EQ(link().StatusBar1->Panel(10).Text, "CONT");
  EXPECT_EQ(window().StatusBar1->Panel(3).Text, "CONT");
  EXPECT_EQ(PollingActive, 0);
  EXPECT_TRUE(dialog().Visible());
  EXPECT_EQ(dialog().GroupBox1->Caption(), "Kalibrierung Kanal 1");
  EXPECT_EQ(dialog().Label9->Caption(), "(max. 10)");
  EXPECT_EQ(dialog().Label8->Caption(), "kg");
  EXPECT_FALSE(dialog().Button1->Enabled());
  EXPECT_TRUE(dialog().Button2->Enabled());
  EXPECT_TRUE(dialog().Button5->Visible());
  EXPECT_FALSE(dialog().Label10->Visible());
  EXPECT_EQ(window().CalibrationChannel, 0);
}

TEST_F(LoadCalibration, ZeroAndEndStepsSendTheirTelegrams) {
  Open(0);
  dialogs_.Answer(IDOK);  // the link's "OK!"
  dialog().Button3->Click();
  EXPECT_EQ(ReceivedOf(CMD_EXT_CAL_ZERO).size(), 1u);
  EXPECT_TRUE(DataOf(ReceivedOf(CMD_EXT_CAL_ZERO)[0]).empty());
  EXPECT_EQ(dialog().Label5->Caption(), "gespeichert");
  EXPECT_EQ(dialog().Label5->Font().Color(), clGreen);
  EXPECT_TRUE(dialog().Button1->Enabled());
  EXPECT_FALSE(dialog().Button2->Enabled());
  EXPECT_TRUE(window().Label19->Visible());

  // 12,5 is above the nominal value 10: asked, then sent with a point.
  dialog().Edit1->SetText("12,5");
  dialogs_.Answer(IDYES);
  dialogs_.Answer(IDOK);
  dialog().Button4->Click();
  EXPECT_EQ(BoxTexts()[1], "Eingegebener Wert größer als max. Endwert! Übernehmen?");
  EXPECT_EQ(dialogs_.Boxes()[1].request.title, "FRAGE");
  ASSERT_EQ(ReceivedOf(CMD_EXT_CAL_END).size(), 1u);
  EXPECT_EQ(DataOf(ReceivedOf(CMD_EXT_CAL_END)[0]), (std::vector<uint8_t>{0x01, '1', '2', '.', '5'}));
  EXPECT_EQ(dialog().Label6->Caption(), "gespeichert");

  // 5 goes as it is, without a question.
  dialog().Edit1->SetText("5");
  dialogs_.Answer(IDOK);
  dialog().Button4->Click();
  EXPECT_EQ(DataOf(ReceivedOf(CMD_EXT_CAL_END)[1]), (std::vector<uint8_t>{0x01, '5'}));
  EXPECT_EQ(BoxTexts().size(), 4u);
}

TEST_F(LoadCalibration, AnEmptyOrTooLargeValueIsRefusedAndNothingIsSent) {
  Open(0);
  dialogs_.Answer(IDOK);
  dialog().Button4->Click();
  dialog().Edit1->SetText("20");
  dialogs_.Answer(IDNO);
  dialog().Button4->Click();
  dialog().Edit1->SetText(std::string(20, '1'));
  dialogs_.Answer(IDOK);
  dialog().Button4->Click();
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Kein Wert für Endpunkt eingegeben! -> Abbruch!",
                                                  "Eingegebener Wert größer als max. Endwert! Übernehmen?",
                                                  "Endwert zu lang (max. 19 Zeichen)! -> Abbruch!"}));
  EXPECT_TRUE(ReceivedOf(CMD_EXT_CAL_END).empty());
  EXPECT_FALSE(dialog().Button1->Enabled());
}

TEST_F(LoadCalibration, AStepTheDeviceRefusesIsNotReportedAsStored) {
  Open(1);
  EXPECT_EQ(dialog().GroupBox1->Caption(), "Kalibrierung Kanal 2");
  EXPECT_EQ(CountOf(CMD_SELECT_CHANNEL, {2}), 1u);
  EXPECT_EQ(dialog().Label8->Caption(), "N");
  sim_.InjectFault(1, Fault(FaultKind::ErrorStatus).On(CMD_EXT_CAL_ZERO));
  dialog().Button3->Click();
  EXPECT_EQ(dialog().Label5->Caption(), "FEHLER!");
  EXPECT_EQ(dialog().Label5->Font().Color(), clRed);
  EXPECT_FALSE(window().Label20->Visible());
  EXPECT_FALSE(dialog().Button1->Enabled());
  EXPECT_TRUE(dialog().Button2->Enabled());

  dialogs_.Answer(IDOK);
  dialog().Button3->Click();
  EXPECT_EQ(dialog().Label5->Caption(), "gespeichert");
  EXPECT_TRUE(window().Label20->Visible());
}

TEST_F(LoadCalibration, BeendenRestartsAndReadsTheCalibrationBack) {
  Open(0);
  dialogs_.Answer(IDOK);
  dialog().Button3->Click();
  sim_.Log().Clear();
  dialog().Button1->Click();
  EXPECT_FALSE(dialog().Visible());
  EXPECT_EQ(CountOf(CMD_RESET, {1}), 1u);
  EXPECT_EQ(ServiceConnected, 1);
  EXPECT_EQ(window().ReloadCalibration, 0);
  // The calibration and channel sections first, then the whole set-up.
  const auto reads = BlockReads();
  ASSERT_GE(reads.size(), 4u);
  EXPECT_EQ(reads[0], std::make_pair(SETUP_BASE_1 + 0x30, 128));
  EXPECT_EQ(reads[1], std::make_pair(SETUP_BASE_1 + 0x30 + 128, 244 - 128));
  EXPECT_EQ(reads[2], std::make_pair(SETUP_BASE_1 + 0x1C4, 80));
  EXPECT_EQ(reads[3], std::make_pair(SETUP_BASE_1 + 0x214, 80));
  EXPECT_GT(reads.size(), 4u);
  EXPECT_EQ(link().SetupPresent, 1);
  EXPECT_EQ(window().SetupReadDone, 1);
}

TEST_F(LoadCalibration, AbbrechenClosesAndRestarts) {
  Open(0);
  dialog().Button2->Click();
  EXPECT_FALSE(dialog().Visible());
  EXPECT_TRUE(dialog().Button3->Enabled());
  EXPECT_EQ(CountOf(CMD_RESET, {1}), 1u);
  EXPECT_EQ(ServiceConnected, 1);
  EXPECT_TRUE(ReceivedOf(CMD_EXT_CAL_ZERO).empty());
}

TEST_F(LoadCalibration, TheBridgeErrorShowsOnlyFromErrorBytesJustRead) {
  struct Case {
    const char* name;
    uint8_t deviceErrorByte;  // the device's error byte 1; its replies carry the error bit
    bool readFails;
    bool shown;
  };
  const Case cases[] = {
      {"bridge error read", 0x01, false, true},
      {"another error read", 0x02, false, false},
      {"read failed, an earlier bridge error held", 0x02, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (ServiceConnected != 1) Connect();  // "Abbrechen" connects again
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) { m.errorCodes = {c.deviceErrorByte, 0}; });
    window().Edit1->SetText("10");
    ASSERT_TRUE(link().WaitUntilIdle());
    link().ErrorCodes = {0x01, 0};  // from an earlier read
    link().DeviceStatus |= DEVICE_STATUS_ERROR;
    if (c.readFails) sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_ERROR_CODES).Times(2));
    dialog().Label10->SetVisible(false);
    window().Kanal1->Click();
    EXPECT_EQ(dialog().Label10->Visible(), c.shown);
    dialog().Button2->Click();
    sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.errorCodes = {0, 0}; });
    ASSERT_TRUE(link().WaitUntilIdle());
  }
}

TEST_F(LoadCalibration, TheLanguageSwitchRecaptionsTheDialog) {
  link().Options.lang = 1;
  link().ChangeLanguageAll();
  EXPECT_EQ(dialog().Caption(), "Calibration under load");
  EXPECT_EQ(dialog().Label1->Caption(), "Set zero load");
  EXPECT_EQ(dialog().Label7->Caption(), "Set measured value");
  EXPECT_EQ(dialog().Label10->Caption(), "Load-cell error!");
  EXPECT_EQ(dialog().Button5->Caption(), "Multi point calibration");
  EXPECT_EQ(dialog().Button2->Caption(), "Cancel");
  EXPECT_EQ(dialog().Button1->Caption(), "Exit");
}

TEST_F(LoadCalibration, TheChannelAndTheStepStatesShownFollowTheLanguageSwitch) {
  Open(1);
  dialogs_.Answer(IDOK);  // the link's "OK!"
  dialog().Button3->Click();
  ASSERT_EQ(dialog().Label5->Caption(), "gespeichert");
  link().Options.lang = 1;
  link().ChangeLanguageAll();
  EXPECT_EQ(dialog().GroupBox1->Caption(), "Calibration channel 2");
  EXPECT_EQ(dialog().Label5->Caption(), "stored");
  EXPECT_EQ(dialog().Label5->Font().Color(), clGreen);
  EXPECT_EQ(dialog().Label6->Caption(), "");
  // Opened again, the dialog starts with empty states in the new language.
  link().Options.lang = 0;
  link().ChangeLanguageAll();
  window().Kanal1->Click();
  EXPECT_EQ(dialog().GroupBox1->Caption(), "Kalibrierung Kanal 1");
  EXPECT_EQ(dialog().Label5->Caption(), "");
}

TEST_F(LoadCalibration, WithoutASetupOrInDemoModeNothingOpens) {
  dialogs_.Answer(IDOK);
  window().Kanal1->Click();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Bitte Setup von Gerät lesen!"});
  EXPECT_EQ(dialogs_.Boxes()[0].request.icon, BoxIcon::Error);
  window().DemoMode = 1;
  window().Kanal2->Click();
  window().DemoMode = 0;
  EXPECT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_FALSE(dialog().Visible());
  EXPECT_TRUE(Received().empty());
}

}  // namespace
