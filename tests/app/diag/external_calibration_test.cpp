// The external calibration window against the simulated device: the reads of
// the first activation, the settings, the channel switch, the zero, end and
// extra points with their checks, the modes, the debug byte and the delete.
#include "tests/app/diag/calibration_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

class ExternalCalibration : public CalibrationTest {
 protected:
  TForm13& window13() { return *Form13; }

  // The device's calibration settings: unit, divisions and digit-step indexes, free divisions.
  void DeviceSettings(uint8_t unit, uint8_t divisions, uint8_t step, uint32_t free = 3000) {
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) {
      m.unitIndex = unit;
      m.divisionsIndex = divisions;
      m.stepIndex = step;
      m.divisions = free;
    });
  }

  // Opened from the test window (all controls) with the device at 3000 divisions of 0.5 kg.
  void Open(int fromService = 0) {
    DeviceSettings(0, 14, 11);
    Ready();
    link().CalibrationServiceMode = fromService;
    window13().Activate();
  }
};

TEST_F(ExternalCalibration, TheFirstActivationReadsModeChannelAndSettings) {
  DeviceSettings(5, 14, 11);
  Ready();
  window13().Activate();
  EXPECT_EQ(CommandsAmong({CMD_ADC_MODE, CMD_SELECT_CHANNEL, CMD_EXT_CAL_SETTINGS, CMD_CAL_SETTINGS}),
            (std::vector<int>{CMD_ADC_MODE, CMD_SELECT_CHANNEL, CMD_EXT_CAL_SETTINGS, CMD_CAL_SETTINGS}));
  EXPECT_EQ(DataSent(CMD_ADC_MODE), (std::vector<Bytes>{{0, 0}}));
  EXPECT_EQ(DataSent(CMD_SELECT_CHANNEL), std::vector<Bytes>{{1}});
  EXPECT_EQ(link().StatusBar1->Panel(10).Text, "CONT");
  EXPECT_EQ(window().StatusBar1->Panel(3).Text, "CONT");
  EXPECT_EQ(window13().ComboBox3->ItemIndex(), 5);
  EXPECT_EQ(window13().ComboBox4->ItemIndex(), 14);
  EXPECT_EQ(window13().ComboBox5->ItemIndex(), 11);
  EXPECT_FALSE(window13().Edit9->Visible());
  EXPECT_EQ(window13().Label15->Caption(), "1500.5  N");
  EXPECT_FLOAT_EQ(window13().MaxEndValue, 1500.0f);
  EXPECT_EQ(window13().ComboBox1->ItemIndex(), 0);
  // The theoretical calibration gets range, unit and channel.
  EXPECT_FLOAT_EQ(Form19->MaxEndValue, 1500.0f);
  EXPECT_EQ(Form19->Label6->Caption(), "N");
  EXPECT_EQ(Form19->Label7->Caption(), "N");
  EXPECT_EQ(Form19->Label8->Caption(), "Kanal 1");

  // Later activations leave the device alone until the window was closed.
  const size_t requests = Received().size();
  window13().FormActivate(nullptr);
  EXPECT_EQ(Received().size(), requests);
  window13().Button1->Click();
  EXPECT_FALSE(window13().Visible());
  window13().Activate();
  EXPECT_EQ(ReceivedOf(CMD_EXT_CAL_SETTINGS).size(), 2u);
}

TEST_F(ExternalCalibration, FreeDivisionsAreShownAndWrittenAsTheyAre) {
  DeviceSettings(0, 0, 6, 2500);
  Ready();
  window13().Activate();
  EXPECT_TRUE(window13().Edit9->Visible());
  EXPECT_TRUE(window13().Label17->Visible());
  EXPECT_EQ(window13().Edit9->Text(), "2500");
  EXPECT_EQ(window13().Label15->Caption(), "25.01  kg");

  window13().Button10->Click();
  ASSERT_TRUE(AwaitRequests(CMD_EXT_CAL_SETTINGS, 1, {0x02, 0, 0, 6, 0x00, 0x00, 0x09, 0xC4}));
  // Another choice of the list hides the free number; the range follows the list.
  window13().ComboBox4->UserSelect(14);
  EXPECT_FALSE(window13().Edit9->Visible());
  EXPECT_EQ(window13().Label15->Caption(), "30.01  kg");
  window13().ComboBox3->UserSelect(1);
  EXPECT_EQ(window13().Label15->Caption(), "30.01  t");
  window13().Button10->Click();
  ASSERT_TRUE(AwaitRequests(CMD_EXT_CAL_SETTINGS, 1, {0x02, 1, 14, 6, 0x00, 0x00, 0x0B, 0xB8}));
  const devsim::DeviceModel m = sim_.Model(1);
  EXPECT_EQ(m.unitIndex, 1);
  EXPECT_EQ(m.divisions, 3000u);
}

TEST_F(ExternalCalibration, SettingsWithoutAChoiceInEveryListAreRefused) {
  Open();
  window13().ComboBox5->SetItemIndex(-1);
  dialogs_.Answer(IDOK);
  window13().Button10->Click();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Bitte alle korrekt Werte angeben!"});
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "HINWEIS");
  EXPECT_EQ(CountOf(CMD_EXT_CAL_SETTINGS, {0x02}), 0u);
  EXPECT_EQ(ReceivedOf(CMD_EXT_CAL_SETTINGS).size(), 1u);
}

TEST_F(ExternalCalibration, EndValuesAreCheckedAgainstTheWeighingRange) {
  Open();
  ASSERT_FLOAT_EQ(window13().MaxEndValue, 1500.0f);
  struct Case {
    const char* typed;
    const char* refusal;  // nullptr: sent
    Bytes sent;
  };
  const Case cases[] = {
      {"1500", nullptr, TextValue("1500")},
      {"1500,1", "Eingegebener Wert größer als max. Endwert! -> Abbruch!", {}},
      {"abc", "Kein Wert für Endpunkt eingegeben! -> Abbruch!", {}},
      {"12kg", "Kein Wert für Endpunkt eingegeben! -> Abbruch!", {}},
      {"", nullptr, TextValue("1500.0000")},
      {"750,25", nullptr, TextValue("750.25")},
  };
  for (const Case& c : cases) {
    sim_.Log().Clear();
    const size_t boxes = dialogs_.Boxes().size();
    window13().Edit1->SetText(c.typed);
    dialogs_.Answer(IDOK);  // the refusal, or the link's "OK!"
    window13().Button8->Click();
    ASSERT_EQ(dialogs_.Boxes().size(), boxes + 1) << c.typed;
    if (c.refusal != nullptr) {
      EXPECT_EQ(dialogs_.Boxes().back().request.text, c.refusal) << c.typed;
      EXPECT_TRUE(ReceivedOf(CMD_EXT_CAL_END).empty()) << c.typed;
    } else {
      EXPECT_EQ(dialogs_.Boxes().back().request.text, "OK!") << c.typed;
      EXPECT_EQ(DataSent(CMD_EXT_CAL_END), std::vector<Bytes>{c.sent}) << c.typed;
    }
  }
  EXPECT_EQ(window13().Edit1->Text(), "750,25");
}

TEST_F(ExternalCalibration, ZeroThenEndPointOfferTheExtraPoints) {
  Open();
  dialogs_.Answer(IDOK);
  window13().Button7->Click();
  EXPECT_EQ(DataSent(CMD_EXT_CAL_ZERO), std::vector<Bytes>{{}});
  EXPECT_FALSE(window13().Button13->Enabled());
  window13().Edit1->SetText("1000");
  dialogs_.Answer(IDOK);
  window13().Button8->Click();
  EXPECT_TRUE(window13().Button13->Enabled());
  EXPECT_TRUE(window13().GroupBox1->Visible());
  for (TEdit* edit : {window13().Edit2, window13().Edit4, window13().Edit8}) EXPECT_FALSE(edit->Visible());

  // The number of extra points shows that many rows, six at most.
  struct Rows {
    const char* typed;
    int shown;
    const char* after;
  };
  const Rows rows[] = {{"9", 6, "6"}, {"2", 2, "2"}, {"0", 0, "0"}, {"x", 0, "x"}, {"6", 6, "6"}};
  const std::vector<TButton*> buttons = {window13().Button4, window13().Button5,  window13().Button6,
                                         window13().Button9, window13().Button11, window13().Button12};
  for (const Rows& r : rows) {
    window13().Edit3->SetText(r.typed);
    EXPECT_EQ(window13().Edit3->Text(), r.after);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(buttons[i]->Visible(), i < r.shown) << r.typed << " row " << i + 1;
  }
  EXPECT_EQ(window13().Label14->Caption(), "Zusatzpunk");

  window13().Edit5->SetText("250,5");
  dialogs_.Answer(IDOK);
  window13().Button6->Click();
  window13().Edit8->SetText("1600");
  dialogs_.Answer(IDOK);
  window13().Button12->Click();
  dialogs_.Answer(IDOK);
  window13().Button4->Click();  // row 1 is empty
  EXPECT_EQ(DataSent(CMD_EXT_CAL_POINT), std::vector<Bytes>{TextValue("250.5")});
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"OK!", "OK!", "OK!", "Eingegebener Wert größer als max. Endwert! -> Abbruch!",
                                                  "Kein Wert für Endpunkt eingegeben! -> Abbruch!"}));
}

TEST_F(ExternalCalibration, FromTheServiceWindowTheExpertControlsAreHidden) {
  Open(1);
  for (int fromService : {1, 0, 1}) {
    link().CalibrationServiceMode = fromService;
    window13().FormActivate(nullptr);
    const bool expert = fromService == 0;
    for (TControl* c : std::initializer_list<TControl*>{window13().Label19, window13().Label20, window13().Button15,
                                                        window13().Button14, window13().Button2, window13().GroupBox2})
      EXPECT_EQ(c->Visible(), expert) << c->Name() << " from service " << fromService;
  }
  window13().Button1->Click();
  EXPECT_EQ(link().CalibrationServiceMode, 0);
}

TEST_F(ExternalCalibration, WithoutASetupNothingIsSent) {
  Ready();
  link().SetupPresent = 0;
  dialogs_.Answer(IDOK);
  window13().Activate();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Bitte Setup von Gerät lesen!"});
  EXPECT_EQ(dialogs_.Boxes()[0].request.icon, BoxIcon::Error);
  EXPECT_TRUE(Received().empty());
  EXPECT_EQ(window13().ExtCalSettingsRead, 0);
}

TEST_F(ExternalCalibration, EinstellenSwitchesTheChannelBeforeReadingItsSettings) {
  Open();
  DeviceSettings(6, 7, 12);
  sim_.Log().Clear();
  window13().ComboBox1->UserSelect(1);
  window13().Button17->Click();
  EXPECT_EQ(CommandsAmong({CMD_SELECT_CHANNEL, CMD_EXT_CAL_SETTINGS}),
            (std::vector<int>{CMD_SELECT_CHANNEL, CMD_EXT_CAL_SETTINGS}));
  EXPECT_EQ(DataSent(CMD_SELECT_CHANNEL), std::vector<Bytes>{{2}});
  EXPECT_EQ(sim_.Model(1).activeChannel, 2);
  EXPECT_EQ(link().ActiveChannel, 1);
  EXPECT_EQ(Form19->Label8->Caption(), "Kanal 2");
  EXPECT_EQ(window13().Label15->Caption(), "1001.0  kN");
  EXPECT_TRUE(window13().Button7->Enabled());
  EXPECT_TRUE(window13().Button8->Enabled());

  // Without a channel there is nothing to switch to.
  sim_.Log().Clear();
  window13().ComboBox1->SetItemIndex(-1);
  dialogs_.Answer(IDOK);
  window13().Button17->Click();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Bitte Kanal wählen!"});
  EXPECT_TRUE(Received().empty());
}

TEST_F(ExternalCalibration, OneConfiguredChannelLocksTheChannelChoice) {
  OneChannelDevice();
  Open();
  EXPECT_FALSE(window13().ComboBox1->Enabled());
  EXPECT_FALSE(window13().Button17->Enabled());
  EXPECT_FALSE(window13().Label21->Visible());
}

TEST_F(ExternalCalibration, ADeviceErrorAtActivationIsShownAndTheSettingsStillRead) {
  DeviceSettings(2, 9, 4);
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.errorCodes[0] = 0x01; });
  Ready();
  window13().Activate();
  EXPECT_TRUE(window13().Label21->Visible());
  EXPECT_EQ(window13().ComboBox3->ItemIndex(), 2);
  EXPECT_EQ(window13().Label15->Caption(), "3.002  g");
}

TEST_F(ExternalCalibration, SettingsThatDoNotComeLeaveNothingOfThePreviousOnes) {
  // Read at the activation and by "Einstellen": a failed read leaves the lists
  // and the range empty, and the end and extra points cannot be taken.
  struct Case {
    const char* name;
    devsim::FaultKind kind;
    bool atActivation;
  };
  Open();
  for (const Case& c : {Case{"no answer, activation", devsim::FaultKind::NoAnswer, true},
                        Case{"no answer, Einstellen", devsim::FaultKind::NoAnswer, false},
                        Case{"bad checksum, Einstellen", devsim::FaultKind::WrongChecksum, false},
                        Case{"cut frame, activation", devsim::FaultKind::CutShort, true}}) {
    SCOPED_TRACE(c.name);
    DeviceSettings(0, 14, 11);
    window13().ComboBox1->UserSelect(0);
    window13().Button17->Click();
    ASSERT_EQ(window13().Label15->Caption(), "1500.5  kg");
    ASSERT_TRUE(window13().Button8->Enabled());
    DeviceSettings(3, 14, 12);
    sim_.InjectFault(1, devsim::Fault(c.kind).On(CMD_EXT_CAL_SETTINGS).Times(2));
    if (c.atActivation) {
      window13().Button1->Click();
      window13().Activate();
    } else {
      window13().ComboBox1->UserSelect(0);
      window13().Button17->Click();
    }
    EXPECT_EQ(window13().ComboBox3->ItemIndex(), -1);
    EXPECT_EQ(window13().ComboBox4->ItemIndex(), -1);
    EXPECT_EQ(window13().ComboBox5->ItemIndex(), -1);
    EXPECT_EQ(window13().Label15->Caption(), "-");
    EXPECT_FLOAT_EQ(window13().MaxEndValue, 0.0f);
    EXPECT_FLOAT_EQ(Form19->MaxEndValue, 0.0f);
    EXPECT_EQ(Form19->Label6->Caption(), "");
    EXPECT_FALSE(window13().Button8->Enabled());
    EXPECT_FALSE(window13().Button4->Enabled());
    EXPECT_TRUE(window13().Button7->Enabled());

    // The next good read brings the device's settings and the end point back.
    sim_.ClearFaults(1);
    link().CommErrorCount = 0;
    window13().Button17->Click();
    EXPECT_EQ(window13().ComboBox3->ItemIndex(), 3);
    EXPECT_EQ(window13().Label15->Caption(), "3001.0  lb");
    EXPECT_TRUE(window13().Button8->Enabled());
    EXPECT_TRUE(window13().Button4->Enabled());
  }
}

TEST_F(ExternalCalibration, AChannelThatDoesNotComeIsNotShown) {
  Open();
  ASSERT_EQ(window13().ComboBox1->ItemIndex(), 0);
  window13().Button1->Click();
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).On(CMD_CAL_SETTINGS).Times(2));
  window13().Activate();
  EXPECT_EQ(window13().ComboBox1->ItemIndex(), -1);
  EXPECT_EQ(Form19->Label8->Caption(), "-");
}

TEST_F(ExternalCalibration, DeleteModesAndDebugByte) {
  Open();
  window13().RadioButton2->SetChecked(true);
  dialogs_.Answer(IDOK);
  window13().Button16->Click();
  EXPECT_EQ(DataSent(CMD_DELETE_CAL), std::vector<Bytes>{{2}});
  EXPECT_EQ(sim_.Model(1).channels[1].calPoints, 0);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"OK!"});

  window13().Button14->Click();
  EXPECT_EQ(link().StatusBar1->Panel(10).Text, "SINGLE");
  EXPECT_EQ(window().StatusBar1->Panel(3).Text, "SINGLE");
  ASSERT_TRUE(AwaitRequests(CMD_ADC_MODE, 1, {1, 0}));
  window13().Button2->Click();
  EXPECT_EQ(window().StatusBar1->Panel(3).Text, "CONT");
  ASSERT_TRUE(AwaitRequests(CMD_ADC_MODE, 1, {0, 0}));

  window13().Button3->Click();
  ASSERT_TRUE(AwaitRequests(CMD_CAL_DEBUG, 1, {0xFF}));
  window13().ComboBox2->UserSelect(7);
  window13().Button3->Click();
  ASSERT_TRUE(AwaitRequests(CMD_CAL_DEBUG, 1, {7}));
}

TEST_F(ExternalCalibration, StartOpensTheTheoreticalCalibration) {
  Open();
  window13().Button15->Click();
  EXPECT_TRUE(Form19->Visible());
}

TEST_F(ExternalCalibration, UebernehmenUndResetRestartsTheDevice) {
  Open();
  window13().Button13->Click();
  EXPECT_EQ(CountOf(CMD_RESET), 1u);
  EXPECT_EQ(ServiceConnected, 1);
}

}  // namespace
