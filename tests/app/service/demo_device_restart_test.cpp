// Every action that restarts the device, against the device that the demo's
// simulator serves: each one reconnects to the device it restarted, and the
// service window shows that device as before, its sampling rates those of
// the device's ADC mode.
#include "app/diag/adc_functions.h"
#include "app/diag/external_calibration.h"
#include "app/diag/production_check.h"
#include "app/diag/theoretical_calibration.h"
#include "app/params/inputs_relays.h"
#include "app/params/multipoint_calibration.h"
#include "app/params/weighing_parameters.h"
#include "app/service/load_calibration.h"
#include "tests/app/service/service_fixture.h"

namespace {

struct RestartAction {
  const char* name;
  std::vector<int> answers;  // the message boxes on the way, in order
  std::function<void()> run;
  std::function<void()> prepare = [] {};  // what the user does before, once connected
};

void PrintTo(const RestartAction& a, std::ostream* os) { *os << a.name; }

// The items of the sampling-rate list for an ADC mode, the log function off.
std::vector<std::string> RatesOfMode(int mode) {
  if (mode == 1) return {"3", "5", "8", "12", "15", "20"};
  return {"25", "50", "100", "200", "400"};
}

class DemoDeviceRestart : public ServiceTest, public ::testing::WithParamInterface<RestartAction> {
 protected:
  void SetUp() override {
    ServiceTest::SetUp();
    sim_.AddDevice(1, devsim::DemoDevice(1));
    windows_ = std::make_unique<Windows>();
  }
  void TearDown() override {
    windows_.reset();
    ServiceTest::TearDown();
  }

  // The channel fields of the service window: nominal value, digits, division.
  std::vector<std::string> ChannelFields() const {
    const TForm21& w = *Form21;
    return {w.Edit1->Text(), w.ComboBox3->Text(), w.Edit2->Text(), w.Edit3->Text(), w.ComboBox7->Text(),
            w.Edit4->Text()};
  }

 private:
  struct Windows {
    ScopedForm<TForm22> form22{Form22};
    ScopedForm<TForm26> form26{Form26};
    ScopedForm<TForm13> form13{Form13};
    ScopedForm<TForm28> form28{Form28};
    ScopedForm<TForm19> form19{Form19};
    ScopedForm<TForm23> form23{Form23};
    ScopedForm<TForm24> form24{Form24};
  };
  std::unique_ptr<Windows> windows_;
};

TEST_P(DemoDeviceRestart, ReconnectsToTheDeviceItRestarted) {
  const RestartAction& action = GetParam();
  Connect();
  ASSERT_EQ(window().Edit5->Text(), "1");
  ASSERT_EQ(link().SetupPresent, 1);
  ASSERT_EQ(Items(window().ComboBox4), RatesOfMode(1));
  ASSERT_EQ(window().ComboBox4->Text(), "15");
  action.prepare();
  const std::vector<std::string> fields = ChannelFields();
  sim_.Log().Clear();
  for (int answer : action.answers) dialogs_.Answer(answer);

  action.run();

  EXPECT_EQ(dialogs_.PendingAnswers(), 0u) << "a message box did not come";
  ASSERT_GE(CountOf(CMD_RESET), 1u);
  EXPECT_EQ(ServiceConnected, 1);
  EXPECT_EQ(link().DeviceAddress, 1);
  EXPECT_EQ(window().Edit5->Text(), "1");
  EXPECT_EQ(window().Button1->Caption(), "Trennen");
  ASSERT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 1));
  for (const auto& frame : Received()) EXPECT_EQ(frame[1], 1) << "command " << int(frame[3]);
  // The window shows the device as it runs now.
  const devsim::DeviceModel device = sim_.Model(1);
  const std::vector<std::string> rates = RatesOfMode(device.adcMode);
  const std::vector<std::string> items = Items(window().ComboBox4);
  ASSERT_GE(items.size(), rates.size());
  EXPECT_EQ(std::vector<std::string>(items.begin(), items.begin() + static_cast<long>(rates.size())), rates);
  EXPECT_EQ(window().ComboBox4->ItemIndex(), device.rateIndex);
  EXPECT_EQ(window().CheckBox1->Checked(), device.channelCount == 2);
  EXPECT_EQ(ChannelFields(), fields);
}

TForm21& Service() { return *Form21; }

INSTANTIATE_TEST_SUITE_P(
    Actions, DemoDeviceRestart,
    ::testing::Values(
        RestartAction{"ServiceHardwareReset", {}, [] { Service().ResetVD4171Click(nullptr); }},
        RestartAction{"ServiceSoftReset", {}, [] { Service().SoftReset1Click(nullptr); }},
        RestartAction{"TestWindowSoftReset", {}, [] { Form1->SoftReset1Click(nullptr); }},
        RestartAction{"SamplingRate",
                      {IDYES, IDOK},
                      [] {
                        Service().ComboBox4Enter(nullptr);
                        Service().ComboBox4->SetItemIndex(2);
                        Service().ComboBox4Change(nullptr);
                      }},
        RestartAction{"ChannelTwoOff", {IDOK}, [] { Service().CheckBox1->Click(); }},
        RestartAction{"StoreBusAddress", {IDYES}, [] { Service().Button6Click(nullptr); }},
        RestartAction{"DefaultSetup", {IDYES, IDOK}, [] { Service().DefaultSetupinVD4171Click(nullptr); }},
        RestartAction{"Profibus", {}, [] { Service().Profibus1Click(nullptr); }},
        RestartAction{"SetupWrite",
                      {IDYES},
                      [] { Service().Button4Click(nullptr); },
                      [] {
                        // Channel values that the device's blank set-up lacks.
                        for (auto [edit, text] : {std::pair{Service().Edit1, "30"}, {Service().Edit2, "2.00000"},
                                                  {Service().Edit3, "1000"}, {Service().Edit4, "2.00000"}})
                          edit->SetText(text);
                        Service().ComboBox3->SetText("5");
                        Service().ComboBox7->SetText("4");
                      }},
        RestartAction{"LoadCalibrationCancel",
                      {},
                      [] {
                        Service().Kanal1->Click();
                        Form22->FormActivate(nullptr);
                        Form22->Button2Click(nullptr);
                      }},
        RestartAction{"LoadCalibrationEnd",
                      {},
                      [] {
                        Service().Kanal1->Click();
                        Form22->FormActivate(nullptr);
                        Form22->Button1Click(nullptr);
                      }},
        RestartAction{"MultipointCalibrationEnd", {}, [] { Form26->Button1Click(nullptr); }},
        RestartAction{"ExternalCalibrationRestart", {}, [] { Form13->Button13Click(nullptr); }},
        RestartAction{"AdcFunctionsRestart", {}, [] { Form10->Button15Click(nullptr); }},
        RestartAction{"ProductionCheckRestart", {}, [] { Form28->Button5Click(nullptr); }},
        RestartAction{"TheoreticalCalibrationRestart", {}, [] { Form19->Button3Click(nullptr); }},
        RestartAction{"SetupEditorRestart", {}, [] { Form3->Button54Click(nullptr); }},
        RestartAction{"WeighingParametersExit", {}, [] { Form23->Button1Click(nullptr); }},
        RestartAction{"InputsRelaysExit", {}, [] { Form24->Button1Click(nullptr); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
