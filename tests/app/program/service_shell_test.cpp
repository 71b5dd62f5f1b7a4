// The service window as the program's main window: the first activation,
// the supervisor's expert view, the port set-up entry, the option entries
// and their ini keys, and every caption in both languages.
#include <QApplication>
#include <QComboBox>
#include <QTimer>

#include "app/params/log_memory.h"
#include "app/program/text_table.h"
#include "app/service/load_calibration.h"
#include "platform/serial/com_port_setup_dialog.h"
#include "tests/app/program/program_fixture.h"
#include "tests/support/scoped_form.h"

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class ServiceShell : public ProgramTest {
 protected:
  // Works the port set-up dialog once it is up.
  static void OnPortDialog(std::function<void(ComPortSetupDialog*)> act) {
    QTimer::singleShot(0, [act] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = dynamic_cast<ComPortSetupDialog*>(w); d != nullptr && d->isVisible()) {
          act(d);
          return;
        }
      OnPortDialog(act);
    });
  }
};

TEST_F(ServiceShell, OnlyTheFirstActivationStartsTheProgram) {
  WriteFile(IniPath(), "[RTV482]\nlang=1\n");
  Start();
  EXPECT_EQ(link().Options.lang, 1);
  EXPECT_EQ(service().Button1->Caption(), "Connect");
  EXPECT_FALSE(service().GroupBox1->Enabled());
  EXPECT_FALSE(service().Label19->Visible());
  EXPECT_EQ(service().GrossNetMode, 2);

  // Later activations leave the settings alone and only refresh the window.
  WriteFile(IniPath(), "[RTV482]\nlang=0\n");
  service().Label11->SetCaption("1 : 5.00");
  service().Button8->SetVisible(true);
  service().SetupFromFile = 1;
  service().Beenden1->SetEnabled(false);
  link().Hide();
  service().Hide();
  service().Activate();
  EXPECT_EQ(link().Options.lang, 1);
  EXPECT_EQ(service().Label11->Caption(), "");
  EXPECT_FALSE(service().Button8->Visible());
  EXPECT_EQ(service().SetupFromFile, 0);
  EXPECT_TRUE(service().Beenden1->Enabled());
}

TEST_F(ServiceShell, TheExpertViewShowsAndHidesEveryExpertItem) {
  ScopedForm<TForm22> form22(Form22);
  ScopedForm<TForm25> form25(Form25);
  Start();
  link().DeviceType = 1;
  struct Item {
    const char* name;
    std::function<bool()> shown;
    bool shownAtStart;
  };
  TForm21& w = service();
  const std::vector<Item> items{
      {"activity panel", [&] { return w.Panel2->Visible(); }, false},
      {"separator", [&] { return w.N4->Visible() && w.N4->Enabled(); }, false},
      {"program log", [&] { return w.LogFunktion1->Visible() && w.LogFunktion1->Enabled(); }, false},
      {"multipoint button", [] { return Form22->Button5->Visible(); }, false},
      {"soft reset", [&] { return w.SoftReset1->Visible(); }, false},
      {"hardware reset", [&] { return w.ResetVD4171->Visible(); }, true},
      {"internal calibration", [&] { return w.KalibrierungIntern1->Visible(); }, false},
      {"external calibration", [&] { return w.KalibrierungExtern1->Visible(); }, false},
      {"admin menu", [&] { return w.Admin1->Visible(); }, false},
      {"check device", [&] { return w.CheckConnect1->Visible(); }, false},
      {"cyclic broadcast", [] { return Form9->CheckBox17->Visible() && Form9->Edit1->Visible(); }, false},
      {"cycle unit", [] { return Form9->Label19->Visible(); }, false},
  };
  for (const Item& item : items) EXPECT_EQ(item.shown(), item.shownAtStart) << item.name;

  // Without supervisor mode the label does nothing.
  w.Label7Click(nullptr);
  EXPECT_EQ(link().ExpertView, 0);
  for (const Item& item : items) EXPECT_EQ(item.shown(), item.shownAtStart) << item.name;

  link().SupervisorMode = 1;
  w.Label7Click(nullptr);
  EXPECT_EQ(link().ExpertView, 1);
  for (const Item& item : items) EXPECT_TRUE(item.shown()) << item.name;
  EXPECT_TRUE(w.Inkrementalwerte1->Visible());

  w.Brutto1->Click();
  ASSERT_EQ(w.GrossNetMode, 1);
  w.StatusBar1->SetPanelText(1, "OK");
  w.StatusBar1->SetPanelText(4, "02 01 05");
  w.Label7Click(nullptr);
  EXPECT_EQ(link().ExpertView, 0);
  for (const Item& item : items) EXPECT_FALSE(item.shown()) << item.name;
  // The entry that the view showed stays.
  EXPECT_TRUE(w.Inkrementalwerte1->Visible());
  EXPECT_EQ(w.GrossNetMode, 2);
  EXPECT_EQ(w.StatusBar1->Panel(1).Text, "");
  EXPECT_EQ(w.StatusBar1->Panel(4).Text, "");
}

TEST_F(ServiceShell, ThePortChosenInTheServiceWindowIsStoredAtTheEnd) {
  Start();
  link().CommErrorCount = 3;
  link().BaudRateFound = 1;
  // Closed without a change: only the error count of the link is reset.
  OnPortDialog([](ComPortSetupDialog* d) { d->reject(); });
  service().Schnittstelle1->Click();
  EXPECT_EQ(link().CommErrorCount, 0);
  EXPECT_EQ(link().BaudRateFound, 1);

  OnPortDialog([](ComPortSetupDialog* d) {
    d->PortBox()->setEditText("/dev/ttyUSB3");
    d->BaudRateBox()->setEditText("19200");
    d->accept();
  });
  service().Schnittstelle1->Click();
  EXPECT_EQ(link().ComPort1->Port(), "/dev/ttyUSB3");
  EXPECT_EQ(link().BaudRateFound, 0) << "another baud rate is searched again";

  service().Button2Click(nullptr);
  const std::string com = ReadFile(Path("rs232.ini"));
  EXPECT_TRUE(Contains(com, "Port=/dev/ttyUSB3")) << com;
  EXPECT_TRUE(Contains(com, "BaudRate=19200")) << com;
}

TEST_F(ServiceShell, EachOptionEntryChangesItsIniKey) {
  Start();
  link().SupervisorMode = 1;
  service().Label7Click(nullptr);  // the expert view shows "Check Gerät"
  struct Option {
    TMenuItem* entry;
    const char* section;
    const char* on;
  };
  TForm21& w = service();
  const Option options[] = {
      {w.AutomatischeBaudratenerkennung1, "[COM]", "auto_baud=1"},
      {w.RS4851, "[COM]", "rs485=1"},
      {w.CheckConnect1, "[COM]", "check_connect=1"},
      {w.SetuplesenbeiNeuVerbinden1, "[COM]", "setup_reconnect=1"},
      {w.Brutto1, "[RTV482]", "brutto_netto_mode=1"},
      {w.Tarierung1, "[RTV482]", "button_tar_null=1"},
  };
  // The handlers run as the entries' clicks; the start hides the baud-rate entry.
  for (const Option& o : options) {
    o.entry->OnClick(o.entry);
    EXPECT_TRUE(o.entry->Checked()) << o.on;
  }
  service().Button2Click(nullptr);
  const std::string ini = ReadFile(IniPath());
  for (const Option& o : options) {
    const size_t section = ini.find(o.section);
    ASSERT_NE(section, std::string::npos) << ini;
    const size_t next = ini.find('[', section + 1);
    EXPECT_TRUE(Contains(ini.substr(section, next - section), std::string("\n") + o.on + "\n")) << o.on << "\n" << ini;
  }
}

TEST_F(ServiceShell, TogglesSwitchTheirKeyBackOff) {
  Start();
  TForm21& w = service();
  for (TMenuItem* entry : {w.AutomatischeBaudratenerkennung1, w.SetuplesenbeiNeuVerbinden1, w.CheckConnect1}) {
    entry->OnClick(entry);
    EXPECT_TRUE(entry->Checked());
    entry->OnClick(entry);
    EXPECT_FALSE(entry->Checked());
  }
  EXPECT_EQ(link().Options.auto_baud, 0);
  EXPECT_EQ(link().Options.setup_reconnect, 0);
  EXPECT_EQ(link().Options.check_connect, 0);
  w.Netto1->Click();
  EXPECT_EQ(link().Options.brutto_netto_mode, 2);
  EXPECT_EQ(w.GrossNetMode, 2);
}

struct CaptionRow {
  const char* name;
  std::function<std::string(TForm21&)> text;
  int row;
  const char* german;
};

std::function<std::string(TForm21&)> Menu(TMenuItem* TForm21::*item) {
  return [item](TForm21& w) { return (w.*item)->Caption(); };
}
template <class Control>
std::function<std::string(TForm21&)> Shown(Control* TForm21::*control) {
  return [control](TForm21& w) { return (w.*control)->Caption(); };
}

// The window's captions: every component with its row and its German text.
std::vector<CaptionRow> CaptionTable() {
  return {
      {"Form21", [](TForm21& w) { return w.Caption(); }, 62, "Serviceprogramm RTV482"},
      {"Datei1", Menu(&TForm21::Datei1), 63, "Datei"},
      {"ffnen1", Menu(&TForm21::ffnen1), 64, "Öffnen"},
      {"Speichern1", Menu(&TForm21::Speichern1), 65, "Speichern"},
      {"Speichernunter1", Menu(&TForm21::Speichernunter1), 66, "Speichern unter..."},
      {"Beenden1", Menu(&TForm21::Beenden1), 67, "Beenden"},
      {"Kalibrieren1", Menu(&TForm21::Kalibrieren1), 68, "Kalibrieren"},
      {"Kanal1", Menu(&TForm21::Kanal1), 69, "Lastkalibrierung - Kanal 1"},
      {"Kanal2", Menu(&TForm21::Kanal2), 70, "Lastkalibrierung - Kanal 2"},
      {"Parameter1", Menu(&TForm21::Parameter1), 71, "Parameter"},
      {"ParameterKanal01", Menu(&TForm21::ParameterKanal01), 72, "Wägetechnische Parameter"},
      {"ParameterGlobal10", Menu(&TForm21::ParameterGlobal10), 73, "Wägetechnische Parameter - Allgemein"},
      {"ParameterKanal11", Menu(&TForm21::ParameterKanal11), 74, "Wägetechnische Parameter - Kanal 1"},
      {"ParameterKanal12", Menu(&TForm21::ParameterKanal12), 75, "Wägetechnische Parameter - Kanal 2"},
      {"ParameterExb11", Menu(&TForm21::ParameterExb11), 76, "Digitale Eingänge + Inkrementalgeber"},
      {"ParameterExb12", Menu(&TForm21::ParameterExb12), 77, "Relais 1/2"},
      {"Extras1", Menu(&TForm21::Extras1), 78, "Extras"},
      {"Optionen1", Menu(&TForm21::Optionen1), 79, "Optionen"},
      {"Sprache1", Menu(&TForm21::Sprache1), 80, "Sprache"},
      {"Deutsch1", Menu(&TForm21::Deutsch1), 81, "Deutsch"},
      {"Englisch1", Menu(&TForm21::Englisch1), 82, "Englisch"},
      {"Schnittstelle1", Menu(&TForm21::Schnittstelle1), 83, "Schnittstelle"},
      {"Schnittstellentyp1", Menu(&TForm21::Schnittstellentyp1), 84, "Schnittstellentyp"},
      {"RS2321", Menu(&TForm21::RS2321), 85, "RS232"},
      {"RS4851", Menu(&TForm21::RS4851), 86, "RS485"},
      {"Terminal1", Menu(&TForm21::Terminal1), 90, "Terminal"},
      {"AutomatischeBaudratenerkennung1", Menu(&TForm21::AutomatischeBaudratenerkennung1), 87,
       "Automatische Baudratenerkennung"},
      {"CheckConnect1", Menu(&TForm21::CheckConnect1), 88, "Check Gerät"},
      {"ShowVD4171", Menu(&TForm21::ShowVD4171), 89, "Übersicht angeschlossene Geräte - RS485"},
      {"ButtonFunktion1", Menu(&TForm21::ButtonFunktion1), 91, "Button-Funktion"},
      {"Tarierung1", Menu(&TForm21::Tarierung1), 92, "Tarierung"},
      {"Nullung1", Menu(&TForm21::Nullung1), 93, "Nullung"},
      {"BruttoNetto1", Menu(&TForm21::BruttoNetto1), 94, "Anzeige Brutto/Netto"},
      {"Brutto1", Menu(&TForm21::Brutto1), 95, "Brutto"},
      {"Netto1", Menu(&TForm21::Netto1), 96, "Netto"},
      {"Profibus1", Menu(&TForm21::Profibus1), 97, "Profibus aktiv"},
      {"Logfunktionaktiv1", Menu(&TForm21::Logfunktionaktiv1), 98, "Logfunktion aktiv"},
      {"Logfunktionen1", Menu(&TForm21::Logfunktionen1), 99, "Logfunktionen - Kanal 1"},
      {"LogFunktion1", Menu(&TForm21::LogFunktion1), 100, "Programm-Logfunktion"},
      {"KontModeGewichtswerte1", Menu(&TForm21::KontModeGewichtswerte1), 101, "Kont. Mode - Gewichtswerte"},
      {"DemoMode1", Menu(&TForm21::DemoMode1), 102, "Programm im Demo-Mode"},
      {"DefaultSetupinVD4171", Menu(&TForm21::DefaultSetupinVD4171), 103, "Default-Setup in Gerät"},
      {"RTCinVD417stellen1", Menu(&TForm21::RTCinVD417stellen1), 104, "RTC in Gerät stellen"},
      {"ResetLKZ1", Menu(&TForm21::ResetLKZ1), 105, "Reset LKZ"},
      {"WerteBandwaage1", Menu(&TForm21::WerteBandwaage1), 106, "Werte Dosierwaage"},
      {"SoftReset1", Menu(&TForm21::SoftReset1), 107, "Gerät -> Software-Reset"},
      {"ResetVD4171", Menu(&TForm21::ResetVD4171), 108, "Gerät -> Hardware-Reset"},
      {"SetuplesenbeiNeuVerbinden1", Menu(&TForm21::SetuplesenbeiNeuVerbinden1), 109,
       "Setup lesen bei Neu-Verbinden"},
      {"SetupBackup1", Menu(&TForm21::SetupBackup1), 110, "Setup -> Backup"},
      {"SetupRestore1", Menu(&TForm21::SetupRestore1), 111, "Setup -> Restore"},
      {"Admin1", Menu(&TForm21::Admin1), 112, "Admin"},
      {"ProduktionPrfung1", Menu(&TForm21::ProduktionPrfung1), 113, "Produktion/Prüfung"},
      {"Werkseinstellungen1", Menu(&TForm21::Werkseinstellungen1), 114, "Werkseinstellungen"},
      {"FlashUpdate1", Menu(&TForm21::FlashUpdate1), 115, "Flash-Update"},
      {"KalibrierungIntern1", Menu(&TForm21::KalibrierungIntern1), 116, "Kalibrierung intern"},
      {"KalibrierungExtern1", Menu(&TForm21::KalibrierungExtern1), 117, "Kalibrierung extern"},
      {"Debug1", Menu(&TForm21::Debug1), 118, "Debug"},
      {"ADCDebug1", Menu(&TForm21::ADCDebug1), 119, "ADC-Debug"},
      {"Setup1", Menu(&TForm21::Setup1), 120, "Setup"},
      {"SetupRO", Menu(&TForm21::SetupRO), 121, "Setup geschützt"},
      {"RS232Data1", Menu(&TForm21::RS232Data1), 122, "RS232-Fenster"},
      {"RS232Logging1", Menu(&TForm21::RS232Logging1), 123, "RS232-Logging"},
      {"KontGewichtsmodebeenden1", Menu(&TForm21::KontGewichtsmodebeenden1), 124, "Kont. Gewichtsmode beenden"},
      {"ErrorCodes1", Menu(&TForm21::ErrorCodes1), 125, "Error-Codes"},
      {"Inkrementalwerte1", Menu(&TForm21::Inkrementalwerte1), 126, "EXB/Inkrementalgeberwerte"},
      {"Hilfe1", Menu(&TForm21::Hilfe1), 127, "Hilfe"},
      {"Hilfe2", Menu(&TForm21::Hilfe2), 128, "Bedienungsanleitung"},
      {"Info1", Menu(&TForm21::Info1), 129, "Info"},
      {"Label15", Shown(&TForm21::Label15), 130, "Setup und Kennwertkalibrierung"},
      {"Label1", Shown(&TForm21::Label1), 131, "Nennkennwert"},
      {"Label2", Shown(&TForm21::Label2), 132, "Masseinheit"},
      {"Label5", Shown(&TForm21::Label5), 133, "Anzahl Stellen der Messwertübertragung"},
      {"Label4", Shown(&TForm21::Label4), 134, "Eingangssignal bei Nennkennwert"},
      {"Label3", Shown(&TForm21::Label3), 135, "Eingangssignal"},
      {"Label6", Shown(&TForm21::Label6), 136, "Interne Abtastrate [1/s]"},
      {"Label7", Shown(&TForm21::Label7), 137, "Geräteadresse"},
      {"Label26", Shown(&TForm21::Label26), 138, "Setup schreibgeschützt!"},
      {"GroupBox1", Shown(&TForm21::GroupBox1), 139, "Kanal 1"},
      {"GroupBox2", Shown(&TForm21::GroupBox2), 140, "Kanal 2"},
      {"GroupBox3", Shown(&TForm21::GroupBox3), 141, "Gerätedaten"},
      {"Label19", Shown(&TForm21::Label19), 142, "Lastkalibriert"},
      {"Label20", Shown(&TForm21::Label20), 142, "Lastkalibriert"},
      {"CheckBox1", Shown(&TForm21::CheckBox1), 143, "Aktiv"},
      {"Button1", Shown(&TForm21::Button1), 152, "Verbinden"},
      {"Button2", Shown(&TForm21::Button2), 154, "Beenden"},
      {"Button3", Shown(&TForm21::Button3), 155, "Setup von Gerät lesen"},
      {"Button4", Shown(&TForm21::Button4), 156, "Setup in Gerät schreiben"},
  };
}

TEST_F(ServiceShell, EveryCaptionInBothLanguages) {
  Start();
  const std::vector<std::string> unitsDe{"Kilogramm", "Tonne", "Gramm",  "Pfund",
                                         "Unze",      "Newton", "Kilonewton", "Freie Masseinheit"};
  const std::vector<std::string> unitsEn{"Kilogram", "Ton",    "Gram",       "Pound",
                                         "Ounce",    "Newton", "Kilonewton", "Free unit"};
  for (int lang : {1, 0}) {
    service().Label14->SetCaption("Programm im Demo-Mode!");
    (lang == 1 ? service().Englisch1 : service().Deutsch1)->Click();
    for (const CaptionRow& c : CaptionTable()) {
      const std::string expected = lang == 0 ? c.german : TextTable[static_cast<size_t>(c.row)].English;
      EXPECT_EQ(c.text(service()), expected) << c.name << " row " << c.row;
    }
    for (TComboBox* list : {service().ComboBox1, service().ComboBox5}) {
      std::vector<std::string> items;
      for (int i = 0; i < list->ItemCount(); ++i) items.push_back(list->Item(i));
      EXPECT_EQ(items, lang == 0 ? unitsDe : unitsEn);
    }
    EXPECT_EQ(service().Label14->Caption(), "");
  }
  // Some English rows that do not translate word for word.
  service().Englisch1->Click();
  EXPECT_EQ(service().ParameterGlobal10->Caption(), "Weighing related parameter - Misc. parameter");
  EXPECT_EQ(service().Schnittstelle1->Caption(), "Comport");
  EXPECT_EQ(service().Werkseinstellungen1->Caption(), "Load default setup");
  EXPECT_EQ(service().Label7->Caption(), "Device adress");
  EXPECT_EQ(service().Button2->Caption(), "Exit");
}

}  // namespace
