// The internal calibration window against the simulated device: the reads of
// the first activation, the settings it applies, the zero and end steps and
// the guarded factory-calibration switch.
#include "tests/app/diag/calibration_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;
using devsim::Fault;
using devsim::FaultKind;

class InternalCalibration : public CalibrationTest {
 protected:
  TForm6& window6() { return *Form6; }

  void Open() {
    sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.calibrationSet = 1; });
    Ready();
    window6().Activate();
  }

  // The switch clicked in supervisor mode, with the link's boxes answered.
  void Switch() {
    link().SupervisorMode = 1;
    window6().Button5->Click();
  }
};

TEST_F(InternalCalibration, TheFirstActivationReadsTheSettings) {
  Open();
  EXPECT_EQ(CommandsAmong({CMD_ADC_MODE, CMD_SELECT_CHANNEL, CMD_CAL_SETTINGS}),
            (std::vector<int>{CMD_ADC_MODE, CMD_SELECT_CHANNEL, CMD_CAL_SETTINGS}));
  EXPECT_EQ(DataSent(CMD_ADC_MODE), (std::vector<Bytes>{{0, 0}}));
  EXPECT_EQ(DataSent(CMD_SELECT_CHANNEL), std::vector<Bytes>{{1}});
  EXPECT_EQ(DataSent(CMD_CAL_SETTINGS), std::vector<Bytes>{{1}});
  EXPECT_EQ(window6().ComboBox3->ItemIndex(), 0);
  EXPECT_EQ(window6().ComboBox1->ItemIndex(), 1);
  EXPECT_EQ(window6().ComboBox2->Text(), "25");
  EXPECT_FALSE(window6().ComboBox2->Enabled());
  EXPECT_FALSE(window6().Button8->Visible());
  EXPECT_EQ(window6().Button5->Caption(), "Werkskalibrierung EIN");
  EXPECT_EQ(link().StatusBar1->Panel(10).Text, "CONT");
  EXPECT_TRUE(window6().GroupBox1->Enabled());

  const size_t requests = Received().size();
  window6().ActivateWindow(nullptr);
  EXPECT_EQ(Received().size(), requests);
}

TEST_F(InternalCalibration, UebernehmenAppliesChannelSetAndRate) {
  Open();
  window6().ComboBox3->UserSelect(1);
  window6().ComboBox1->UserSelect(0);
  window6().Button6->Click();
  ASSERT_TRUE(AwaitRequests(CMD_CAL_SETTINGS, 1, {0x02, 2, 0, 0, 0x00}));
  EXPECT_EQ(link().ActiveChannel, 1);
  EXPECT_EQ(sim_.Model(1).activeChannel, 2);
  EXPECT_EQ(CountOf(CMD_HOLD_CYCLIC), 1u);
}

TEST_F(InternalCalibration, UebernehmenWithoutAChannelIsRefused) {
  Open();
  window6().ComboBox3->SetItemIndex(-1);
  dialogs_.Answer(IDOK);
  window6().Button6->Click();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Bitte Kanal wählen!"});
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "HINWEIS");
  EXPECT_EQ(CountOf(CMD_CAL_SETTINGS, {0x02}), 0u);
  EXPECT_EQ(ReceivedOf(CMD_CAL_SETTINGS).size(), 1u);
}

TEST_F(InternalCalibration, SettingsThatDoNotComeLeaveTheListsEmpty) {
  Open();
  ASSERT_EQ(window6().ComboBox1->ItemIndex(), 1);
  window6().Button1->Click();
  for (FaultKind kind : {FaultKind::NoAnswer, FaultKind::WrongChecksum}) {
    SCOPED_TRACE(static_cast<int>(kind));
    sim_.InjectFault(1, Fault(kind).On(CMD_CAL_SETTINGS).Times(2));
    window6().Activate();
    EXPECT_EQ(window6().ComboBox3->ItemIndex(), -1);
    EXPECT_EQ(window6().ComboBox1->ItemIndex(), -1);
    window6().Button1->Click();
    link().CommErrorCount = 0;
  }
  // Nothing is applied from lists the device did not fill.
  sim_.ClearFaults(1);
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_CAL_SETTINGS).Times(2));
  window6().Activate();
  dialogs_.Answer(IDOK);
  window6().Button6->Click();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Bitte Kanal wählen!"});
  EXPECT_EQ(CountOf(CMD_CAL_SETTINGS, {0x02}), 0u);
}

TEST_F(InternalCalibration, ZeroAndEndAreReportedOnlyWhenTheDeviceTookThem) {
  Open();
  dialogs_.Answer(IDOK);
  window6().Button2->Click();
  dialogs_.Answer(IDOK);
  window6().Button3->Click();
  EXPECT_EQ(DataSent(CMD_CAL_ZERO), std::vector<Bytes>{{}});
  EXPECT_EQ(DataSent(CMD_CAL_END), std::vector<Bytes>{{}});
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"OK!", "OK!"}));
  EXPECT_FALSE(Form16->Visible());

  sim_.InjectFault(1, Fault(FaultKind::ErrorStatus).On(CMD_CAL_END));
  window6().Button3->Click();
  EXPECT_EQ(ReceivedOf(CMD_CAL_END).size(), 2u);
  EXPECT_EQ(BoxTexts().size(), 2u);
  EXPECT_FALSE(Form16->Visible());
}

TEST_F(InternalCalibration, TheFactorySwitchFollowsTheDevice) {
  Open();
  Switch();
  EXPECT_EQ(DataSent(CMD_FACTORY_CAL_ENABLE), (std::vector<Bytes>{{0, 1}}));
  EXPECT_TRUE(sim_.Model(1).factoryCalEnabled);
  EXPECT_EQ(window6().Button5->Caption(), "Werkskalibrierung AUS");
  EXPECT_TRUE(window6().Label5->Visible());
  EXPECT_FALSE(window6().ComboBox1->Visible());
  EXPECT_FALSE(window6().Label3->Visible());

  // No answer, or an answer with a device error: the switch stays.
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_FACTORY_CAL_ENABLE).Times(2));
  Switch();
  EXPECT_EQ(window6().Button5->Caption(), "Werkskalibrierung AUS");
  EXPECT_EQ(window6().FactoryCalibrationOn, 1);
  sim_.InjectFault(1, Fault(FaultKind::ErrorStatus).On(CMD_FACTORY_CAL_ENABLE));
  Switch();
  EXPECT_EQ(window6().FactoryCalibrationOn, 1);
  EXPECT_TRUE(window6().Label5->Visible());

  Switch();
  EXPECT_EQ(DataSent(CMD_FACTORY_CAL_ENABLE).back(), (Bytes{0, 0}));
  EXPECT_FALSE(sim_.Model(1).factoryCalEnabled);
  EXPECT_EQ(window6().Button5->Caption(), "Werkskalibrierung EIN");
  EXPECT_FALSE(window6().Label5->Visible());
  EXPECT_TRUE(window6().ComboBox1->Visible());
}

TEST_F(InternalCalibration, ClosingSwitchesFactoryCalibrationOff) {
  Open();
  Switch();
  ASSERT_EQ(window6().FactoryCalibrationOn, 1);
  window6().Button1->Click();
  EXPECT_FALSE(window6().Visible());
  ASSERT_TRUE(AwaitRequests(CMD_FACTORY_CAL_ENABLE, 1, {0, 0}));
  EXPECT_EQ(window6().Button5->Caption(), "Werkskalibrierung EIN");
  EXPECT_TRUE(window6().ComboBox1->Visible());
  EXPECT_EQ(link().CalibrationServiceMode, 0);
  // The next opening reads again.
  window6().Activate();
  EXPECT_EQ(CountOf(CMD_CAL_SETTINGS, {1}), 2u);
}

TEST_F(InternalCalibration, WithoutAccessNothingIsSent) {
  Open();
  ASSERT_EQ(link().SupervisorMode, 0);
  Later([] { Form17->Button1Click(nullptr); });  // "Abbrechen"
  window6().Button5->Click();
  EXPECT_TRUE(ReceivedOf(CMD_FACTORY_CAL_ENABLE).empty());
  EXPECT_EQ(window6().Button5->Caption(), "Werkskalibrierung EIN");

  // The right password switches.
  Later([] {
    Form17->Edit1->SetText("ZQX");
    Form17->Button2Click(nullptr);
  });
  window6().Button5->Click();
  EXPECT_EQ(DataSent(CMD_FACTORY_CAL_ENABLE), (std::vector<Bytes>{{0, 1}}));
  EXPECT_EQ(window6().FactoryCalibrationOn, 1);
}

TEST_F(InternalCalibration, OneConfiguredChannelDisablesTheSettings) {
  OneChannelDevice();
  Open();
  EXPECT_FALSE(window6().GroupBox1->Enabled());
  EXPECT_TRUE(window6().Button2->Enabled());
  EXPECT_TRUE(window6().Button3->Enabled());
}

TEST_F(InternalCalibration, WithoutASetupNothingIsSent) {
  Ready();
  link().SetupPresent = 0;
  dialogs_.Answer(IDOK);
  window6().Activate();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Bitte Setup von Gerät lesen!"});
  EXPECT_TRUE(Received().empty());
  EXPECT_TRUE(window6().Button8->Visible());
}

TEST_F(InternalCalibration, ContModeSendsTheRateOfTheIdentification) {
  Open();
  link().AdcModeArgument = 3;
  window6().Button8->Click();
  ASSERT_TRUE(AwaitRequests(CMD_ADC_MODE, 1, {0, 3}));
}

}  // namespace
