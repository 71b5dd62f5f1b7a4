// The service window's menu entries that open windows (modal or not, with
// the set-up hint), the option and mode entries, the owner-drawn status
// panel, and the error label.
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "app/diag/adc_functions.h"
#include "app/diag/external_calibration.h"
#include "app/diag/factory_admin.h"
#include "app/diag/internal_calibration.h"
#include "app/diag/production_check.h"
#include "app/diag/runtime_viewer.h"
#include "app/diag/terminal_window.h"
#include "app/diag/traffic_monitor.h"
#include "app/params/adc_settings.h"
#include "app/params/dosing_values.h"
#include "app/params/inputs_relays.h"
#include "app/params/weighing_parameters.h"
#include "app/program/about_box.h"
#include "app/program/options_dialog.h"
#include "app/program/password_dialog.h"
#include "tests/app/service/service_fixture.h"

namespace {

class ServiceMenus : public ServiceTest {
 protected:
  struct Windows {
    ScopedForm<TForm23> form23{Form23};
    ScopedForm<TForm24> form24{Form24};
    ScopedForm<TForm32> form32{Form32};
    ScopedForm<TForm15> form15{Form15};
    ScopedForm<TForm29> form29{Form29};
    ScopedForm<TForm28> form28{Form28};
    ScopedForm<TForm6> form6{Form6};
    ScopedForm<TForm13> form13{Form13};
    ScopedForm<TForm12> form12{Form12};
    ScopedForm<TForm7> form7{Form7};
    ScopedForm<TForm8> form8{Form8};
    ScopedForm<TForm17> form17{Form17};
    ScopedForm<TAboutBox> about{AboutBox};
  };

  void SetUp() override {
    ServiceTest::SetUp();
    windows_ = std::make_unique<Windows>();
  }
  void TearDown() override {
    for (TForm* form : AllWindows())
      if (form->Visible()) form->Hide();
    windows_.reset();
    ServiceTest::TearDown();
  }

  static std::vector<TForm*> AllWindows() {
    return {Form23, Form24, Form32, Form15, Form29, Form28, Form6, Form13, Form12, Form7, Form8,
            Form3,  Form5,  Form9,  Form10, Form11, Form18, AboutBox};
  }
  static std::vector<TForm*> VisibleWindows() {
    std::vector<TForm*> shown;
    for (TForm* form : AllWindows())
      if (form->Visible()) shown.push_back(form);
    return shown;
  }

  // Runs `entry`; a window that it shows modally is noted and closed at once.
  std::vector<TForm*> RunEntry(const std::function<void()>& entry, std::vector<TForm*>& modal) {
    for (TForm* form : AllWindows())
      form->OnShow = [form, &modal](TObject*) {
        if (!form->Modal()) return;
        modal.push_back(form);
        QTimer::singleShot(0, [form] { form->Hide(); });
      };
    entry();
    for (TForm* form : AllWindows()) form->OnShow = nullptr;
    return VisibleWindows();
  }

  std::unique_ptr<Windows> windows_;
};

struct WindowEntry {
  const char* name;
  std::function<void(TForm21&)> entry;
  std::function<TForm*()> window;
  bool modal;
  std::function<bool(const TForm21&)> check;  // state the entry sets besides the window
};

void PrintTo(const WindowEntry& c, std::ostream* os) { *os << c.name; }

class WindowEntries : public ServiceMenus, public ::testing::WithParamInterface<WindowEntry> {};

TEST_P(WindowEntries, OpensItsWindowWithASetupInTheImage) {
  const WindowEntry& c = GetParam();
  link().SetupPresent = 1;
  link().SupervisorMode = 1;
  link().CalibrationServiceMode = 0;
  window().ParameterPage = -1;
  window().ExbPage = -1;
  std::vector<TForm*> modal;
  const std::vector<TForm*> shown = RunEntry([&] { c.entry(window()); }, modal);
  TForm* expected = c.window();
  ASSERT_NE(expected, nullptr);
  if (c.modal) {
    EXPECT_EQ(modal, std::vector<TForm*>{expected});
    EXPECT_EQ(shown, std::vector<TForm*>{});
  } else {
    EXPECT_EQ(modal, std::vector<TForm*>{});
    EXPECT_EQ(shown, std::vector<TForm*>{expected});
  }
  if (c.check) {
    EXPECT_TRUE(c.check(window()));
  }
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Service, WindowEntries,
    ::testing::Values(
        WindowEntry{"WeighingParameters", [](TForm21& w) { w.ParameterKanal01->Click(); }, [] { return Form23; },
                    false, [](const TForm21& w) { return w.ParameterPage == 0; }},
        WindowEntry{"WeighingGeneral", [](TForm21& w) { w.ParameterGlobal10Click(nullptr); },
                    [] { return Form23; }, false, [](const TForm21& w) { return w.ParameterPage == 3; }},
        WindowEntry{"WeighingChannel1", [](TForm21& w) { w.ParameterKanal11Click(nullptr); },
                    [] { return Form23; }, false, [](const TForm21& w) { return w.ParameterPage == 1; }},
        WindowEntry{"WeighingChannel2", [](TForm21& w) { w.ParameterKanal12Click(nullptr); },
                    [] { return Form23; }, false, [](const TForm21& w) { return w.ParameterPage == 2; }},
        WindowEntry{"Inputs", [](TForm21& w) { w.ParameterExb11->Click(); }, [] { return Form24; }, false,
                    [](const TForm21& w) { return w.ExbPage == 0; }},
        WindowEntry{"Relays", [](TForm21& w) { w.ParameterExb12->Click(); }, [] { return Form24; }, false,
                    [](const TForm21& w) { return w.ExbPage == 1; }},
        WindowEntry{"AdcSettings", [](TForm21& w) { w.ADCEinstellungen1Click(nullptr); }, [] { return Form32; },
                    true, nullptr},
        WindowEntry{"AddressWindow", [](TForm21& w) { w.ShowVD4171->Click(); }, [] { return Form9; }, false,
                    nullptr},
        WindowEntry{"Terminal", [](TForm21& w) { w.Terminal1->Click(); }, [] { return Form15; }, false, nullptr},
        WindowEntry{"DosingValues", [](TForm21& w) { w.WerteBandwaage1Click(nullptr); }, [] { return Form29; },
                    false, nullptr},
        WindowEntry{"FactorySettings", [](TForm21& w) { w.Werkseinstellungen1->Click(); }, [] { return Form7; },
                    true, nullptr},
        WindowEntry{"ProductionCheck", [](TForm21& w) { w.ProduktionPrfung1->Click(); }, [] { return Form28; },
                    false, nullptr},
        WindowEntry{"InternalCalibration", [](TForm21& w) { w.KalibrierungIntern1Click(nullptr); },
                    [] { return Form6; }, false, [](const TForm21&) { return Form1->CalibrationServiceMode == 1; }},
        WindowEntry{"ExternalCalibration", [](TForm21& w) { w.KalibrierungExtern1Click(nullptr); },
                    [] { return Form13; }, false, [](const TForm21&) { return Form1->CalibrationServiceMode == 1; }},
        WindowEntry{"Debug", [](TForm21& w) { w.Debug1->Click(); }, [] { return Form12; }, false, nullptr},
        WindowEntry{"AdcDebug", [](TForm21& w) { w.ADCDebug1->Click(); }, [] { return Form10; }, false, nullptr},
        WindowEntry{"SetupEditor", [](TForm21& w) { w.Setup1->Click(); }, [] { return Form3; }, false, nullptr},
        WindowEntry{"TrafficMonitor", [](TForm21& w) { w.RS232Data1->Click(); }, [] { return Form5; }, false,
                    [](const TForm21&) { return Form1->RS232Fenster1->Checked(); }},
        WindowEntry{"ErrorWindow", [](TForm21& w) { w.ErrorCodes1->Click(); }, [] { return Form11; }, false,
                    nullptr},
        WindowEntry{"ExbValues", [](TForm21& w) { w.Inkrementalwerte1->Click(); }, [] { return Form18; }, false,
                    [](const TForm21& w) { return w.Inkrementalwerte1->Checked(); }},
        WindowEntry{"ProgramOptions", [](TForm21& w) { w.ProgrammOptionen1->Click(); }, [] { return Form8; },
                    false, nullptr},
        WindowEntry{"About", [](TForm21& w) { w.Info1->Click(); }, [] { return AboutBox; }, true, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ServiceMenus, WithoutASetupTheVisibleParameterEntriesHintAndOpenTheHiddenOnesOnlyHint) {
  link().SetupPresent = 0;
  struct Case {
    const char* name;
    std::function<void()> entry;
    TForm* opens;  // nullptr: the hint only
  };
  const Case cases[] = {
      {"weighing parameters", [&] { window().ParameterKanal01->Click(); }, Form23},
      {"inputs", [&] { window().ParameterExb11->Click(); }, Form24},
      {"relays", [&] { window().ParameterExb12->Click(); }, Form24},
      {"general", [&] { window().ParameterGlobal10Click(nullptr); }, nullptr},
      {"channel 1", [&] { window().ParameterKanal11Click(nullptr); }, nullptr},
      {"channel 2", [&] { window().ParameterKanal12Click(nullptr); }, nullptr},
  };
  for (const Case& c : cases) {
    const size_t boxes = dialogs_.Boxes().size();
    window().ParameterPage = -1;
    dialogs_.Answer(IDOK);
    std::vector<TForm*> modal;
    const std::vector<TForm*> shown = RunEntry(c.entry, modal);
    ASSERT_EQ(dialogs_.Boxes().size(), boxes + 1) << c.name;
    const MessageBoxRequest& hint = dialogs_.Boxes().back().request;
    EXPECT_EQ(hint.text, "Bitte Setup von Gerät lesen!") << c.name;
    EXPECT_EQ(hint.title, "HINWEIS") << c.name;
    EXPECT_EQ(hint.icon, BoxIcon::Error) << c.name;
    EXPECT_EQ(shown, c.opens != nullptr ? std::vector<TForm*>{c.opens} : std::vector<TForm*>{}) << c.name;
    // The hidden entries stop before they choose a page.
    if (c.opens == nullptr) {
      EXPECT_EQ(window().ParameterPage, -1) << c.name;
    }
    for (TForm* form : shown) form->Hide();
  }
}

TEST_F(ServiceMenus, FlashUpdateOnlySaysItIsNotAvailable) {
  dialogs_.Answer(IDOK);
  std::vector<TForm*> modal;
  EXPECT_EQ(RunEntry([&] { window().FlashUpdate1->Click(); }, modal), std::vector<TForm*>{});
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Funktion steht noch nicht zur Verfügung! -> Abbruch!");
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "WARNUNG");
  EXPECT_EQ(dialogs_.Boxes()[0].request.icon, BoxIcon::Error);
  EXPECT_TRUE(Received().empty());
}

TEST_F(ServiceMenus, TheTrafficMonitorEntryTogglesTheMonitor) {
  window().RS232Data1->Click();
  EXPECT_TRUE(Form5->Visible());
  EXPECT_TRUE(link().RS232Fenster1->Checked());
  window().RS232Data1->Click();
  EXPECT_FALSE(Form5->Visible());
  EXPECT_FALSE(link().RS232Fenster1->Checked());
}

TEST_F(ServiceMenus, InterfaceTypeSwitchesTheAddressFieldAndTheAddressWindow) {
  window().RS4851->Click();
  EXPECT_TRUE(window().RS4851->Checked());
  EXPECT_FALSE(window().RS2321->Checked());
  EXPECT_TRUE(window().Edit5->Enabled());
  EXPECT_EQ(link().Options.rs485, 1);
  EXPECT_TRUE(Form9->Visible());
  window().RS2321->Click();
  EXPECT_TRUE(window().RS2321->Checked());
  EXPECT_FALSE(window().RS4851->Checked());
  EXPECT_FALSE(window().Edit5->Enabled());
  EXPECT_EQ(link().Options.rs485, 0);
  EXPECT_FALSE(Form9->Visible());
}

TEST_F(ServiceMenus, DemoModeConnectsWithoutATelegramAndEndsWithTheEntry) {
  Connect();
  sim_.Log().Clear();
  window().DemoMode1->Click();
  EXPECT_EQ(ServiceConnected, 0) << "the running connection ends first";
  EXPECT_EQ(window().DemoMode, 1);
  EXPECT_TRUE(window().DemoMode1->Checked());
  EXPECT_EQ(window().Label14->Caption(), "Programm im Demo-Mode!");
  EXPECT_TRUE(window().GroupBox1->Enabled());
  EXPECT_TRUE(window().GroupBox2->Enabled());
  EXPECT_TRUE(window().GroupBox2->Visible());

  // Every click on "Verbinden" pretends to connect, shows its box and sends nothing.
  const size_t sent = Received().size();
  for (int i = 0; i < 2; ++i) {
    const size_t boxes = dialogs_.Boxes().size();
    dialogs_.Answer(IDOK);
    window().Button1->Click();
    ASSERT_EQ(dialogs_.Boxes().size(), boxes + 1);
    EXPECT_EQ(dialogs_.Boxes().back().request.text, "Programm befindet sich im Demo-Mode!");
    EXPECT_EQ(ServiceConnected, 1);
  }
  TestApplication().ProcessMessages();
  EXPECT_EQ(Received().size(), sent);

  window().DemoMode1->Click();
  EXPECT_EQ(window().DemoMode, 0);
  EXPECT_FALSE(window().DemoMode1->Checked());
  EXPECT_EQ(window().Label14->Caption(), "");
  EXPECT_FALSE(window().GroupBox1->Enabled());
  EXPECT_FALSE(window().GroupBox2->Visible());
}

TEST_F(ServiceMenus, TheRs232TraceStartsAFreshFileEachTime) {
  std::ofstream("rs232_log.txt") << "old trace\n";
  window().RS232Logging1->Click();
  EXPECT_TRUE(window().RS232Logging1->Checked());
  EXPECT_TRUE(link().RS232Fenster1->Checked());
  EXPECT_EQ(link().Rs232LoggingOn, 1);
  EXPECT_EQ(link().Options.rs232_logging, 1);
  link().ReadErrorCodes();
  window().RS232Logging1->Click();
  EXPECT_FALSE(window().RS232Logging1->Checked());
  EXPECT_FALSE(link().RS232Fenster1->Checked());
  EXPECT_EQ(link().Rs232LoggingOn, 0);
  EXPECT_EQ(link().Options.rs232_logging, 0);
  const std::string first = FileText("rs232_log.txt");
  EXPECT_EQ(first.rfind("Device - RS232-Logging\n\nStart: ", 0), 0u) << first;
  EXPECT_EQ(first.find("old trace"), std::string::npos);
  EXPECT_GT(first.size(), std::string("Device - RS232-Logging\n\nStart: \n\n").size() + 20) << "the telegrams follow";

  window().RS232Logging1->Click();
  window().RS232Logging1->Click();
  const std::string second = FileText("rs232_log.txt");
  EXPECT_EQ(second.rfind("Device - RS232-Logging\n\nStart: ", 0), 0u);
  EXPECT_LT(second.size(), first.size()) << "a new header without the earlier telegrams";
}

TEST_F(ServiceMenus, TheErrorLabelOpensTheErrorWindowOnlyAfterARead) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.errorCodes = {0x05, 0}; });
  for (TLabel* label : {window().Label12, window().Label18, window().Label22, window().Label35}) {
    Form11->Hide();
    ASSERT_TRUE(static_cast<bool>(label->OnClick));
    label->OnClick(label);
    EXPECT_TRUE(Form11->Visible());
  }
  EXPECT_EQ(link().ErrorCodes[0], 0x05);
  Form11->Hide();
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).Times(devsim::kForever));
  window().Label12Click(nullptr);
  sim_.ClearFaults(1);
  EXPECT_FALSE(Form11->Visible());
}

TEST_F(ServiceMenus, TheOwnerDrawnPanelPaintsOnlyItsOwnRectangle) {
  window().StatusBar1->SetPanelText(0, "RS232");
  window().StatusBar1->SetPanelText(4, "");
  QImage image(window().StatusBar1->Widget()->size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    window().StatusBar1->PaintPanels(painter);
  }
  const TRect own = window().StatusBar1->PanelRect(0);
  const TRect data = window().StatusBar1->PanelRect(4);
  const int y = (own.Top + own.Bottom) / 2;
  // Panel 0 is filled with the canvas's brush; the empty panel "RS232-Daten" keeps the background.
  EXPECT_NE(image.pixel(own.Right - 2, y), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel((data.Left + data.Right) / 2, y), qRgb(255, 255, 255));
}

}  // namespace
