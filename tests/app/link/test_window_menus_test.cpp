// The test window as a whole: its layout and menu tree, the windows its
// entries open, the owner-drawn COM-ERR panel, the value-stream display, the
// serial-port events, the port retry and toggle, the bus poll, the trace
// switch and the closing of the window.
#include <QImage>
#include <QPainter>

#include "app/diag/external_calibration.h"
#include "app/diag/internal_calibration.h"
#include "app/diag/profibus_test.h"
#include "app/diag/runtime_viewer.h"
#include "app/diag/telegram_tester.h"
#include "app/diag/terminal_window.h"
#include "tests/app/link/test_window_fixture.h"

namespace {

class TestWindow : public TestWindowTest {
 protected:
  static std::vector<std::string> Captions(TMenuItem* menu) {
    std::vector<std::string> captions;
    for (int i = 0; i < menu->Count(); ++i) captions.push_back(menu->Item(i)->Caption());
    return captions;
  }
};

TEST_F(TestWindow, TheLayoutIsTheFormsLayout) {
  TForm1& w = link();
  EXPECT_EQ(w.Caption(), "KVT Gruppe  Meß & Vevovizidavu - VD417 Test- und Parametrierprogramm");
  EXPECT_EQ(w.OuterSize(), QSize(897, 648));
  ASSERT_EQ(w.PageControl1->PageCount(), 2);
  EXPECT_EQ(w.TabSheet1->Caption(), "Informationen");
  EXPECT_EQ(w.TabSheet2->Caption(), "Gewichtswerte");

  const std::pair<const char*, int> panels[] = {{"RS232", 50},   {"PB_CAN", 50}, {"Timer1", 50}, {"msg_count", 50},
                                                {"adr", 50},     {"cmd", 100},   {"retrys", 50}, {"cont_idx", 50},
                                                {"COM-ERR", 55}, {"Setup", 85},  {"Mode", 50},   {"SW-Ver", 50},
                                                {"", 50}};
  ASSERT_EQ(w.StatusBar1->PanelCount(), 13);
  for (int i = 0; i < 13; ++i) {
    EXPECT_EQ(w.StatusBar1->Panel(i).Text, panels[i].first) << i;
    EXPECT_EQ(w.StatusBar1->Panel(i).Width, panels[i].second) << i;
    EXPECT_EQ(w.StatusBar1->Panel(i).Style == TStatusPanelStyle::psOwnerDraw, i == 8) << i;
  }

  // Hidden in the form; start-up shows them.
  for (TControl* hidden : std::initializer_list<TControl*>{
           w.Button3, w.Button4, w.Button5, w.Button2, w.Button7, w.Button8, w.Button12, w.Button10, w.Button11,
           w.Button16, w.Button6, w.Edit1, w.GroupBox1, w.Label27, w.Label31, w.CheckBox4, w.Label36,
           w.RadioButton1, w.RadioButton2})
    EXPECT_FALSE(hidden->Visible()) << hidden->Name();
  const std::pair<TButton*, const char*> buttons[] = {
      {w.Button1, "VD417-Einstellungen"}, {w.Button6, "ABBRUCH Kommunikation"}, {w.Button3, "RS232-Fenster"},
      {w.Button4, "VD417-Setup"},         {w.Button5, "Error-Code"},            {w.Button2, "ADC-Funktionen"},
      {w.Button7, "VD417 Verwaltung"},    {w.Button8, "Int. Kalibrierung"},     {w.Button12, "Ext. Kalibrierung"},
      {w.Button10, "VD417-Debug"},        {w.Button11, "Test PB"},              {w.Button16, "Reset VD417"},
      {w.Button9, "Lesen"},               {w.Button13, "Nullen"},               {w.Button14, "Tarieren"},
      {w.Button15, "Tarieren (Gewicht)"}, {w.Button17, "Kan.X->Kan.X"},         {w.Button20, "GTWV - 2-Kanäle"},
      {w.Button22, "VD417-Einstellungen"}};
  for (const auto& [button, caption] : buttons) EXPECT_EQ(button->Caption(), caption) << button->Name();
  EXPECT_EQ(w.Edit2->Text(), "100");
  EXPECT_EQ(w.Edit3->MaxLength(), 16);
  EXPECT_EQ(w.GroupBox2->Caption(), "RS232/485-Status");
  EXPECT_EQ(w.GroupBox4->Caption(), "VD417-Status");
  EXPECT_EQ(w.Label8->Caption(), "Fehlerbytes");
  EXPECT_EQ(w.SetupFileDialogName, "");

  // The timers as the form has them.
  EXPECT_TRUE(w.Timer1->Enabled());
  EXPECT_EQ(w.Timer4->Interval(), 2000);
  EXPECT_EQ(w.Timer5->Interval(), 5000);
  EXPECT_EQ(w.Timer6->Interval(), 7500);
  for (TTimer* stopped : {w.Timer2, w.Timer3, w.Timer4, w.Timer5, w.Timer7, w.Timer8})
    EXPECT_FALSE(stopped->Enabled()) << stopped->Name();
}

TEST_F(TestWindow, TheMenuTreeHasItsEntriesInOrder) {
  TForm1& w = link();
  EXPECT_EQ(Captions(w.MainMenu1),
            (std::vector<std::string>{"Datei", "Optionen", "VD417", "RTV482", "Test", "Logging", "Info"}));
  EXPECT_EQ(Captions(w.Datei1), (std::vector<std::string>{"Logdatei anzeigen", "-", "Beenden"}));
  EXPECT_EQ(Captions(w.Optionen1),
            (std::vector<std::string>{"RS232-Parameter", "RS232-Fenster", "RS232-Daten", "-", "Programm-Optionen"}));
  EXPECT_EQ(Captions(w.VD4171),
            (std::vector<std::string>{"Verwaltung", "Setup", "Kalibrierung", "ADC-Funktionen", "Error-Codes", "-",
                                      "VD417-Reset", "Soft-Reset", "ADC-Reset", "-", "Rücksetzen Cmd",
                                      "Rücksetzen Cmd-Fail"}));
  EXPECT_EQ(Captions(w.Kalibrierung1), (std::vector<std::string>{"Intern", "Extern"}));
  EXPECT_EQ(Captions(w.ErrorCodes1), (std::vector<std::string>{"Lesen", "Rücksetzen"}));
  EXPECT_EQ(Captions(w.Test1),
            (std::vector<std::string>{"Test RS232", "Test RS232-Terminal", "Test Profibus", "-",
                                      "Rücksetzen VD417-Info", "-", "VD417-Debug", "-", "Test cport_dll"}));
  EXPECT_EQ(Captions(w.Logging1), (std::vector<std::string>{"RS232-Logging"}));
  EXPECT_EQ(Captions(w.Info1), (std::vector<std::string>{"Hilfe", "About"}));

  for (TMenuItem* hidden : {w.RS232Parameter1, w.RS232Daten1, w.ADCReset1, w.VD4171->Item(9), w.RcksetzenCmd1,
                            w.RcksetzenCmdFail1, w.Test1->Item(7), w.Testcportdll1, w.Hilfe1})
    EXPECT_FALSE(hidden->Visible()) << hidden->Name();
  for (TMenuItem* disabled : {w.ADCReset1, w.Testcportdll1, w.Hilfe1})
    EXPECT_FALSE(disabled->Enabled()) << disabled->Name();
  EXPECT_TRUE(w.RS232Fenster1->RadioItem && w.RS232Daten1->RadioItem);
  EXPECT_EQ(w.RS232Fenster1->GroupIndex, w.RS232Daten1->GroupIndex);
}

TEST_F(TestWindow, EntriesAndButtonsOpenTheirWindows) {
  TForm6 form6;
  Form6 = &form6;
  TForm13 form13;
  Form13 = &form13;
  TForm12 form12;
  Form12 = &form12;
  TForm14 form14;
  Form14 = &form14;
  TForm4 form4;
  Form4 = &form4;
  TForm15 form15;
  Form15 = &form15;
  struct Case {
    const char* name;
    std::function<void()> click;
    TForm* window;
    bool calibration;  // the calibration windows show all their controls
  };
  TForm1& w = link();
  const std::vector<Case> cases = {
      {"Verwaltung", [&] { w.Verwaltung1->Click(); }, Form9, false},
      {"VD417 Verwaltung", [&] { w.Button7->Click(); }, Form9, false},
      {"Setup", [&] { w.Setup1->Click(); }, Form3, false},
      {"VD417-Setup", [&] { w.Button4->Click(); }, Form3, false},
      {"Intern", [&] { w.Intern1->Click(); }, Form6, true},
      {"Int. Kalibrierung", [&] { w.Button8->Click(); }, Form6, true},
      {"Extern", [&] { w.Extern1->Click(); }, Form13, true},
      {"Ext. Kalibrierung", [&] { w.Button12->Click(); }, Form13, true},
      {"ADC-Funktionen", [&] { w.ADCFunktionen1->Click(); }, Form10, false},
      {"ADC-Funktionen button", [&] { w.Button2->Click(); }, Form10, false},
      {"VD417-Debug", [&] { w.VD417Debug1->Click(); }, Form12, false},
      {"VD417-Debug button", [&] { w.Button10->Click(); }, Form12, false},
      {"Test Profibus", [&] { w.TestProfibus1->Click(); }, Form14, false},
      {"Test PB", [&] { w.Button11->Click(); }, Form14, false},
      {"Test RS232", [&] { w.TestRS2321->Click(); }, Form4, false},
      {"Test RS232-Terminal", [&] { w.TestRs232terminal1->Click(); }, Form15, false},
      {"RTV482", [&] { w.rtv482->Click(); }, Form21, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.window->Hide();
    w.CalibrationServiceMode = 1;
    c.click();
    EXPECT_TRUE(c.window->Visible());
    EXPECT_FALSE(c.window->Modal());
    EXPECT_EQ(w.CalibrationServiceMode, c.calibration ? 0 : 1);
    c.window->Hide();
  }
  Form6 = nullptr;
  Form13 = nullptr;
  Form12 = nullptr;
  Form14 = nullptr;
  Form4 = nullptr;
  Form15 = nullptr;
}

TEST_F(TestWindow, TheTrafficMonitorAndTheReplyFieldAreSwitchedByTheirEntries) {
  TForm1& w = link();
  w.RS232Fenster1->Click();
  EXPECT_TRUE(w.RS232Fenster1->Checked());
  EXPECT_TRUE(Form5->Visible());
  w.Button3->Click();
  EXPECT_FALSE(w.RS232Fenster1->Checked());
  EXPECT_FALSE(Form5->Visible());
  w.Button3->Click();
  EXPECT_TRUE(Form5->Visible());

  // The two entries share a radio group: ticking one unticks the other's
  // mark, the monitor stays as it is.
  w.RS232Daten1->SetVisible(true);
  w.RS232Daten1->Click();
  EXPECT_TRUE(w.RS232Daten1->Checked());
  EXPECT_TRUE(w.Edit1->Visible());
  EXPECT_FALSE(w.RS232Fenster1->Checked());
  EXPECT_TRUE(Form5->Visible());
  w.RS232Daten1->Click();
  EXPECT_FALSE(w.RS232Daten1->Checked());
  EXPECT_FALSE(w.Edit1->Visible());
}

TEST_F(TestWindow, SmallCommandsOfTheVd417Menu) {
  TForm1& w = link();
  w.CommErrorCount = 2;
  w.RcksetzenCmdFail1Click(nullptr);
  EXPECT_EQ(w.CommErrorCount, 0);
  w.DeviceInfoRead = 1;
  w.RuecksetzenVD417Info1->Click();
  EXPECT_EQ(w.DeviceInfoRead, 0);

  // "ADC-Reset" is hidden and disabled in the form; its handler queues the reset without waiting.
  w.ADCReset1->Click();
  EXPECT_EQ(w.PendingCount, 0);
  dialogs_.Answer(IDOK);
  w.ADCReset1Click(nullptr);
  EXPECT_EQ(w.PendingCount, 1);
  ASSERT_TRUE(PumpUntil([&] { return w.PendingCount == 0 && !dialogs_.Boxes().empty(); }));
  EXPECT_EQ(ReceivedOf(CMD_ADC_RESET).size(), 1u);
  EXPECT_EQ(dialogs_.Boxes().back().request.text, "OK!");

  // "Rücksetzen Cmd" and "ABBRUCH Kommunikation" drop what is queued.
  for (auto click : {&TForm1::RcksetzenCmd1Click, &TForm1::Button6Click}) {
    w.Timer1->SetEnabled(false);
    ASSERT_TRUE(w.QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1));
    (w.*click)(nullptr);
    EXPECT_EQ(w.PendingCount, 0);
  }

  // "VD417-Reset" and "Reset VD417": the device reset, sent only.
  w.DeviceIdentified = 1;
  w.VD417Reset1->Click();
  EXPECT_EQ(w.DeviceIdentified, 0);
  ASSERT_TRUE(PumpUntil([&] { return ReceivedOf(CMD_RESET).size() == 1; }));
  EXPECT_EQ(DataOf(ReceivedOf(CMD_RESET)[0]), std::vector<uint8_t>({0}));
  w.Button16->Click();
  ASSERT_TRUE(PumpUntil([&] { return ReceivedOf(CMD_RESET).size() == 2; }));
}

TEST_F(TestWindow, TheStatusLabelsAskTheDevice) {
  TForm1& w = link();
  // "SPC3-Status": the Profibus state by number and name.
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.profibusState = 3; });
  w.Label3->Click();
  EXPECT_EQ(DataOf(ReceivedOf(CMD_PROFIBUS).back()), std::vector<uint8_t>({0, 0, 0}));
  EXPECT_EQ(w.Label4->Caption(), "03");
  EXPECT_EQ(w.Label1->Caption(), "ERROR");

  // "VD417-Adr": a device search, and the address window.
  w.Label15->Click();
  EXPECT_TRUE(Form9->Visible());
  ASSERT_TRUE(PumpUntil([&] { return !ReceivedOf(CMD_SEARCH_DEVICES).empty() && w.PendingCount == 0; }));
  EXPECT_EQ(ReceivedOf(CMD_SEARCH_DEVICES).back()[1], ADDR_GLOBAL);

  // "Fehlerstatus" and "Status" do nothing.
  const size_t before = Received().size();
  w.Label12->Click();
  w.Label34->Click();
  EXPECT_EQ(w.PendingCount, 0);
  EXPECT_EQ(Received().size(), before);
}

TEST_F(TestWindow, TheComErrPanelIsRedOnItsOwnRectangleOnly) {
  TForm1& w = link();
  w.StatusBar1->SetPanelText(8, "COM-ERR");
  w.StatusBar1->SetPanelStyle(8, TStatusPanelStyle::psOwnerDraw);
  w.Show();
  ASSERT_TRUE(PumpUntil([&] { return w.Visible(); }));
  QImage image(900, 24, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    w.StatusBar1->PaintPanels(painter);
  }
  const TRect err = w.StatusBar1->PanelRect(8);
  const QRgb red = qRgb(255, 0, 0);
  int redInside = 0;
  int redOutside = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const bool inside = x >= err.Left && x < err.Right && y >= err.Top && y < err.Bottom;
      if (image.pixel(x, y) == red) ++(inside ? redInside : redOutside);
    }
  EXPECT_GT(redInside, err.Width() * err.Height() / 2);
  EXPECT_EQ(redOutside, 0);
  w.Hide();
}

TEST_F(TestWindow, TheStreamDisplayShowsAndTakesTheNewestValues) {
  // The ADC window's raw and mV/V labels.
  auto* raw = Form10->findChild<TLabel*>(QStringLiteral("Label4"));
  auto* mvv = Form10->findChild<TLabel*>(QStringLiteral("Label6"));
  if (raw == nullptr) {
    raw = new TLabel(Form10);
    raw->SetName("Label4");
  }
  if (mvv == nullptr) {
    mvv = new TLabel(Form10);
    mvv->SetName("Label6");
  }
  TForm1& w = link();
  for (int i = 0; i < 10; ++i) w.StreamRing[static_cast<size_t>(i)] = (i + 1) * 200000;
  w.StreamIndex = 10;
  w.Options.sdcont_avg = 1;
  w.Timer3Timer(nullptr);
  EXPECT_EQ(raw->Caption(), "1600000");  // the mean of the five newest
  EXPECT_EQ(mvv->Caption(), "1.60000");
  EXPECT_EQ(w.StreamIndex, 5);
  EXPECT_EQ(w.StatusBar1->Panel(7).Text, "5");

  w.Options.sdcont_avg = 0;
  w.StreamIndex = 0;
  w.Options.cal_null_pkt = 0.125f;
  w.Timer3Timer(nullptr);
  // A tick within the same display frame shows its value once the frame is over.
  EXPECT_TRUE(PumpUntil([&] { return raw->Caption() == "0"; }));
  EXPECT_EQ(mvv->Caption(), "0.12500");
  EXPECT_EQ(w.StatusBar1->Panel(7).Text, "0");
}

TEST_F(TestWindow, TheValueStreamOfTheDeviceReachesTheDisplay) {
  auto* raw = Form10->findChild<TLabel*>(QStringLiteral("Label4"));
  if (raw == nullptr) {
    raw = new TLabel(Form10);
    raw->SetName("Label4");
  }
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.streamValue = 1000000;
    m.streamStep = 0;
    m.streamIntervalMs = 20;
  });
  TForm1& w = link();
  w.StartContinuousOutput(0);
  EXPECT_TRUE(w.Timer3->Enabled());
  ASSERT_TRUE(PumpUntil([&] { return raw->Caption() == "1000000"; }));
  w.StopContinuousOutput(0);
  EXPECT_FALSE(w.Timer3->Enabled());
}

TEST_F(TestWindow, EveryFifthSerialPortErrorIsReported) {
  TForm1& w = link();
  for (int event = 1; event <= 10; ++event) {
    if (event % 5 == 0) dialogs_.Answer(IDOK);
    w.ComPort1Error(nullptr, ceFrame);
    EXPECT_EQ(dialogs_.Boxes().size(), static_cast<size_t>(event / 5)) << "event " << event;
  }
  for (const auto& box : dialogs_.Boxes()) {
    EXPECT_EQ(box.request.text, "ERROR - COM-Port!");
    EXPECT_EQ(box.request.title, "FEHLER");
    EXPECT_EQ(box.request.icon, BoxIcon::Error);
  }
  // The same text in English, with the English title.
  w.Options.lang = 1;
  for (int event = 1; event <= 4; ++event) w.ComPort1Error(nullptr, ceIO);
  dialogs_.Answer(IDOK);
  w.ComPort1Error(nullptr, ceIO);
  EXPECT_EQ(dialogs_.Boxes().back().request.text, "ERROR - COM-Port!");
  EXPECT_EQ(dialogs_.Boxes().back().request.title, "ERROR");
}

TEST_F(TestWindow, ThePortRetryOpensThePortWhenItAppears) {
  TForm1& w = link();
  w.PortUsable = 0;
  w.ComPort1->SetPort((dir_ / "no-such-port").string());
  w.RS232Parameter1->SetEnabled(false);
  int ticks = 0;
  auto retry = w.Timer7->OnTimer;
  w.Timer7->OnTimer = [&](TObject* sender) {
    ++ticks;
    retry(sender);
  };
  w.Timer7->SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  EXPECT_TRUE(w.Timer7->Enabled());
  EXPECT_EQ(w.PortUsable, 0);
  EXPECT_TRUE(dialogs_.Boxes().empty());

  w.ComPort1->SetPort(sim_.SlavePath());
  ASSERT_TRUE(PumpUntil([&] { return !w.Timer7->Enabled(); }));
  EXPECT_EQ(w.PortUsable, 1);
  EXPECT_TRUE(w.RS232Parameter1->Enabled());
  EXPECT_EQ(w.StatusBar1->Panel(0).Text, "RS232");
  EXPECT_EQ(Form21->StatusBar1->Panel(0).Text, "RS232");
  EXPECT_FALSE(w.ComPort1->Connected());
  // The port serves requests again.
  EXPECT_TRUE(Request(CMD_ADC_INFO));
  EXPECT_EQ(w.TransferFailed, 0);
}

TEST_F(TestWindow, ThePortLabelTogglesThePort) {
  TForm1& w = link();
  ASSERT_FALSE(w.ComPort1->Connected());
  w.Label19->Click();
  EXPECT_TRUE(w.ComPort1->Connected());
  EXPECT_EQ(w.Label19->Caption(), "Open");
  EXPECT_EQ(Form5->Panel1->Color(), clGreen);
  w.Label19->Click();
  EXPECT_FALSE(w.ComPort1->Connected());
  EXPECT_EQ(w.Label19->Caption(), "Close");
  EXPECT_EQ(Form5->Panel1->Color(), clRed);

  // A port that cannot be opened is reported and stays closed.
  w.ComPort1->SetPort((dir_ / "no-such-port").string());
  dialogs_.Answer(IDOK);
  w.Label19->Click();
  EXPECT_FALSE(w.ComPort1->Connected());
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_NE(dialogs_.Boxes()[0].request.text.find("no-such-port"), std::string::npos);
  EXPECT_EQ(w.Label19->Caption(), "Close");
}

TEST_F(TestWindow, TheBusPollRepeatsOnlyWhileItsBoxIsTickedAndNotFasterThanFiveSeconds) {
  TForm1& w = link();
  Form9->CheckBox17->SetChecked(true);
  Form9->Edit1->SetText("abc");
  w.Timer8->SetEnabled(true);
  w.Timer8Timer(nullptr);
  EXPECT_TRUE(w.Timer8->Enabled());
  EXPECT_EQ(w.Timer8->Interval(), 5000);
  Form9->Edit1->SetText("7000");
  w.Timer8Timer(nullptr);
  EXPECT_EQ(w.Timer8->Interval(), 7000);
  ASSERT_TRUE(PumpUntil([&] { return !ReceivedOf(CMD_SEARCH_DEVICES).empty() && w.PendingCount == 0; }));
  Form9->CheckBox17->SetChecked(false);
  w.Timer8Timer(nullptr);
  EXPECT_FALSE(w.Timer8->Enabled());
  ASSERT_TRUE(PumpUntil([&] { return w.PendingCount == 0; }));
}

TEST_F(TestWindow, TheTraceSwitchOpensAndClosesTheTraceFile) {
  TForm1& w = link();
  w.RS232Fenster1->SetChecked(true);
  w.RS232Logging1->Click();
  EXPECT_TRUE(w.RS232Logging1->Checked());
  EXPECT_EQ(w.Rs232LoggingOn, 1);
  EXPECT_EQ(w.Options.rs232_logging, 1);
  EXPECT_TRUE(Request(CMD_ADC_INFO));
  w.RS232Logging1->Click();
  EXPECT_FALSE(w.RS232Logging1->Checked());
  EXPECT_EQ(w.Rs232LoggingOn, 0);
  EXPECT_EQ(w.Options.rs232_logging, 0);
  EXPECT_FALSE(w.Rs232LogFile);
  // Nothing more is written once it is off.
  EXPECT_TRUE(Request(CMD_ADC_INFO));

  const std::string text = FileText(dir_ / "rs232_log.txt");
  EXPECT_EQ(text.rfind("Device - RS232-Logging\n\nStart: ", 0), 0u) << text;
  std::istringstream lines(text);
  int sent = 0;
  for (std::string line; std::getline(lines, line);) sent += line.rfind("PC->Device (B): ", 0) == 0 ? 1 : 0;
  EXPECT_EQ(sent, 1) << text;

  // The end of the program closes nothing twice.
  w.StoreComSettings();
  EXPECT_FALSE(w.Rs232LogFile);
}

TEST_F(TestWindow, ATraceFileThatCannotBeCreatedLeavesTheTraceOff) {
  std::filesystem::create_directory(dir_ / "rs232_log.txt");
  TForm1& w = link();
  w.RS232Logging1->Click();
  EXPECT_FALSE(w.RS232Logging1->Checked());
  EXPECT_EQ(w.Rs232LoggingOn, 0);
  EXPECT_EQ(w.Options.rs232_logging, 0);
}

TEST_F(TestWindow, ClosingTheWindowStoresTheSettingsOnlyTheFirstTime) {
  TForm1& w = link();
  w.ProgramIniFileName = (dir_ / "rtv482_2.ini").string();
  w.Show();
  ASSERT_TRUE(PumpUntil([&] { return w.Visible(); }));
  w.Timer1->SetEnabled(false);
  ASSERT_TRUE(w.QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1));
  w.B1->Click();
  EXPECT_FALSE(w.Visible());
  EXPECT_EQ(w.PendingCount, 0);  // the link was reset
  EXPECT_TRUE(std::filesystem::exists(dir_ / "rtv482_2.ini"));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "rs232.ini"));
  std::filesystem::remove(dir_ / "rtv482_2.ini");
  std::filesystem::remove(dir_ / "rs232.ini");

  w.Show();
  w.Close();
  EXPECT_FALSE(w.Visible());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "rtv482_2.ini"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "rs232.ini"));
}

}  // namespace
