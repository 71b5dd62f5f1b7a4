// The service window's layout and its language routine.
#include "app/service/service_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <string>

#include "app/link/test_window.h"
#include "app/program/text_table.h"

TForm21* Form21 = nullptr;
int ServiceConnected = 0;
int PollingActive = 0;
int SetupModified = 0;
int SetupReadRunning = 0;
int SetupWriteRunning = 0;
int ReconnectAfterRead = 0;
int ZeroTareRequest1 = 0;
int ZeroTareRequest2 = 0;

namespace {

TMenuItem* Radio(TMenuItem* item, int group) {
  item->RadioItem = true;
  item->GroupIndex = group;
  return item;
}

TLabel* NewLabel(TWinControl* parent, const char* name, const std::string& caption, int left, int top, int width) {
  auto* label = new TLabel(parent, caption);
  label->SetName(name);
  label->SetBounds(left, top, width, 16);
  return label;
}

TButton* NewButton(TWinControl* parent, const char* name, const std::string& caption, int left, int top, int width) {
  auto* button = new TButton(parent, caption);
  button->SetName(name);
  button->SetBounds(left, top, width, 28);
  return button;
}

TEdit* NewEdit(TWinControl* parent, const char* name, int left, int top, int maxLength) {
  auto* edit = new TEdit(parent);
  edit->SetName(name);
  edit->SetBounds(left, top, 70, 22);
  edit->SetMaxLength(maxLength);
  return edit;
}

// The digits of the transmitted value: an editable list, as the form holds it.
TComboBox* NewDigitsList(TWinControl* parent, const char* name, int left, int top) {
  auto* list = new TComboBox(parent, TComboBoxStyle::csDropDown);
  list->SetName(name);
  list->SetBounds(left, top, 70, 22);
  list->SetItems({"3", "4", "5"});
  return list;
}

// The unit list of a channel as the form holds it, before the first language switch.
TComboBox* NewUnitList(TWinControl* parent, const char* name, int left, int top) {
  auto* list = new TComboBox(parent, TComboBoxStyle::csDropDownList);
  list->SetName(name);
  list->SetBounds(left, top, 150, 22);
  list->SetItems({"Kilogramm  [kg]", "Tonne  [t]", "Gramm  [g]", "Pfund  [lb]", "Unze  [oz]", "Newton  [N]",
                  "Kilonewton  [kN]", "Freie Maßeinheit"});
  return list;
}

// Rows 144 .. 151 (the unit names) into a unit list, keeping its choice.
void FillUnitList(TComboBox* list, int lang) {
  const int chosen = list->ItemIndex();
  list->SetText("");
  list->ClearItems();
  for (int row = 144; row <= 151; ++row) list->AddItem(Text(row, lang));
  list->SetItemIndex(chosen);
}

}  // namespace

TForm21::TForm21() {
  SubscribeToLink(this);
  SetName("Form21");
  SetCaption("Serviceprogramm RTV482 - LMB-F / Kranwaage");
  SetSize(800, 690);
  Position = TPosition::poScreenCenter;

  MainMenu1 = new TMainMenu(this);
  Datei1 = MainMenu1->Add("Datei1", "Datei");
  ffnen1 = Datei1->Add("ffnen1", "Öffnen");
  Speichern1 = Datei1->Add("Speichern1", "Speichern");
  Speichernunter1 = Datei1->Add("Speichernunter1", "Speichern unter...");
  Speichernunter1->SetVisible(false);
  Datei1->Add("N1", "-");
  Beenden1 = Datei1->Add("Beenden1", "Beenden");
  Beenden1->SetEnabled(false);
  Beenden1->OnClick = Handler(this, &TForm21::Beenden1Click);

  Kalibrieren1 = MainMenu1->Add("Kalibrieren1", "Kalibrieren");
  Kanal1 = Kalibrieren1->Add("Kanal1", "Lastkalibrierung - Kanal 1");
  Kanal2 = Kalibrieren1->Add("Kanal2", "Lastkalibrierung - Kanal 2");

  Parameter1 = MainMenu1->Add("Parameter1", "Parameter");
  ParameterKanal01 = Parameter1->Add("ParameterKanal01", "Wägetechnische Parameter");
  ParameterGlobal10 = Parameter1->Add("ParameterGlobal10", "Wägetechnische Parameter - Allgemein");
  ParameterKanal11 = Parameter1->Add("ParameterKanal11", "Wägetechnische Parameter - Kanal 1");
  ParameterKanal12 = Parameter1->Add("ParameterKanal12", "Wägetechnische Parameter - Kanal 2");
  for (TMenuItem* hidden : {ParameterGlobal10, ParameterKanal11, ParameterKanal12}) hidden->SetVisible(false);
  ParameterExb11 = Parameter1->Add("ParameterExb11", "Digitale Eingänge + Inkrementalgeber");
  ParameterExb12 = Parameter1->Add("ParameterExb12", "Relais 1/2");
  ADCEinstellungen1 = Parameter1->Add("ADCEinstellungen1", "ADC Einstellungen");
  ADCEinstellungen1->SetVisible(false);

  Extras1 = MainMenu1->Add("Extras1", "Extras");
  Optionen1 = Extras1->Add("Optionen1", "Optionen");
  Optionen1->SetVisible(false);
  Optionen1->OnClick = Handler(this, &TForm21::Optionen1Click);
  Sprache1 = Extras1->Add("Sprache1", "Sprache");
  Deutsch1 = Radio(Sprache1->Add("Deutsch1", "Deutsch"), 1);
  Deutsch1->SetChecked(true);
  Deutsch1->OnClick = Handler(this, &TForm21::Deutsch1Click);
  Englisch1 = Radio(Sprache1->Add("Englisch1", "Englisch"), 1);
  Englisch1->OnClick = Handler(this, &TForm21::Englisch1Click);
  Schnittstelle1 = Extras1->Add("Schnittstelle1", "Schnittstelle");
  Schnittstelle1->SetHint("Einstellungen serielle Schnittstelle.");
  Schnittstellentyp1 = Extras1->Add("Schnittstellentyp1", "Schnittstellentyp");
  RS2321 = Radio(Schnittstellentyp1->Add("RS2321", "RS232"), 2);
  RS2321->SetChecked(true);
  RS4851 = Radio(Schnittstellentyp1->Add("RS4851", "RS485"), 2);
  AutomatischeBaudratenerkennung1 = Extras1->Add("AutomatischeBaudratenerkennung1", "Automatische Baudratenerkennung");
  AutomatischeBaudratenerkennung1->OnClick = Handler(this, &TForm21::AutomatischeBaudratenerkennung1Click);
  CheckConnect1 = Extras1->Add("CheckConnect1", "Check Gerät");
  ShowVD4171 = Extras1->Add("ShowVD4171", "Übersicht angeschlossene Geräte - RS485");
  ShowVD4171->OnClick = Handler(this, &TForm21::ShowVD4171Click);
  Terminal1 = Extras1->Add("Terminal1", "Terminal");
  Extras1->Add("N2", "-");
  ButtonFunktion1 = Extras1->Add("ButtonFunktion1", "Button-Funktion");
  Tarierung1 = Radio(ButtonFunktion1->Add("Tarierung1", "Tarierung"), 3);
  Tarierung1->OnClick = Handler(this, &TForm21::Tarierung1Click);
  Nullung1 = Radio(ButtonFunktion1->Add("Nullung1", "Nullung"), 3);
  Nullung1->SetChecked(true);
  Nullung1->OnClick = Handler(this, &TForm21::Nullung1Click);
  BruttoNetto1 = Extras1->Add("BruttoNetto1", "Anzeige Brutto/Netto");
  Brutto1 = Radio(BruttoNetto1->Add("Brutto1", "Brutto"), 4);
  Brutto1->OnClick = Handler(this, &TForm21::Brutto1Click);
  Netto1 = Radio(BruttoNetto1->Add("Netto1", "Netto"), 4);
  Netto1->SetChecked(true);
  Netto1->OnClick = Handler(this, &TForm21::Netto1Click);
  Profibus1 = Extras1->Add("Profibus1", "Profibus aktiv");
  Extras1->Add("N3", "-");
  Logfunktionaktiv1 = Extras1->Add("Logfunktionaktiv1", "Logfunktion aktiv");
  Logfunktionen1 = Extras1->Add("Logfunktionen1", "Logfunktionen - Kanal 1");
  Logfunktionen1->SetVisible(false);
  N4 = Extras1->Add("N4", "-");
  LogFunktion1 = Radio(Extras1->Add("LogFunktion1", "RTV482-Logfunktion"), 5);
  LogFunktion1->OnClick = Handler(this, &TForm21::LogFunktion1Click);
  for (TMenuItem* hidden : {N4, LogFunktion1}) {
    hidden->SetVisible(false);
    hidden->SetEnabled(false);
  }
  KontModeGewichtswerte1 = Radio(Extras1->Add("KontModeGewichtswerte1", "Kont. Mode - Gewichtswerte"), 5);
  DemoMode1 = Extras1->Add("DemoMode1", "Demo-Mode");
  Extras1->Add("N5", "-");
  DefaultSetupinVD4171 = Extras1->Add("DefaultSetupinVD4171", "Default-Setup in Gerät");
  RTCinVD417stellen1 = Extras1->Add("RTCinVD417stellen1", "RTC in Gerät stellen");
  N11 = Extras1->Add("N11", "-");
  ResetLKZ1 = Extras1->Add("ResetLKZ1", "Reset LKZ");
  for (TMenuItem* hidden : {N11, ResetLKZ1}) hidden->SetVisible(false);
  WerteBandwaage1 = Extras1->Add("WerteBandwaage1", "Werte Dosierwaage");
  WerteBandwaage1->SetVisible(false);
  SoftReset1 = Extras1->Add("SoftReset1", "Gerät -> Software-Reset");
  ResetVD4171 = Extras1->Add("ResetVD4171", "Gerät -> Hardware-Reset");
  ResetVD4171->SetHint("Reset/Neustart des Gerätes.");
  ResetVD4171->OnClick = Handler(this, &TForm21::ResetVD4171Click);
  SetuplesenbeiNeuVerbinden1 = Extras1->Add("SetuplesenbeiNeuVerbinden1", "Setup lesen bei Neu-Verbinden");
  SetupBackup1 = Extras1->Add("SetupBackup1", "Setup -> Backup");
  SetupRestore1 = Extras1->Add("SetupRestore1", "Setup -> Restore");

  Admin1 = MainMenu1->Add("Admin1", "Admin");
  ProduktionPrfung1 = Admin1->Add("ProduktionPrfung1", "Produktion/Prüfung");
  Werkseinstellungen1 = Admin1->Add("Werkseinstellungen1", "Werkseinstellungen");
  Werkseinstellungen1->OnClick = Handler(this, &TForm21::Werkseinstellungen1Click);
  FlashUpdate1 = Admin1->Add("FlashUpdate1", "Flash-Update");
  Admin1->Add("N6", "-");
  KalibrierungIntern1 = Admin1->Add("KalibrierungIntern1", "Kalibrierung intern");
  KalibrierungExtern1 = Admin1->Add("KalibrierungExtern1", "Kalibrierung extern");
  KalibrierungExtern1->SetVisible(false);
  Debug1 = Admin1->Add("Debug1", "Debug");
  ADCDebug1 = Admin1->Add("ADCDebug1", "ADC-Debug");
  Setup1 = Admin1->Add("Setup1", "Setup");
  SetupRO = Radio(Admin1->Add("SetupRO", "Setup geschützt"), 6);
  SetupRO->SetEnabled(false);
  Admin1->Add("N7", "-");
  RS232Data1 = Admin1->Add("RS232Data1", "RS232-Data");
  RS232Logging1 = Admin1->Add("RS232Logging1", "RS232-Logging");
  KontGewichtsmodebeenden1 = Admin1->Add("KontGewichtsmodebeenden1", "Kont. Gewichtsmode beenden");
  ErrorCodes1 = Admin1->Add("ErrorCodes1", "Error-Codes");
  Inkrementalwerte1 = Admin1->Add("Inkrementalwerte1", "EXB/Inkrementalwerte");
  Inkrementalwerte1->OnClick = Handler(this, &TForm21::Inkrementalwerte1Click);
  Admin1->Add("N8", "-");
  ProgrammOptionen1 = Admin1->Add("ProgrammOptionen1", "Programm Optionen");
  ProgrammOptionen1->OnClick = Handler(this, &TForm21::ProgrammOptionen1Click);

  Hilfe1 = MainMenu1->Add("Hilfe1", "Hilfe");
  Hilfe2 = Hilfe1->Add("Hilfe2", "Bedienungsanleitung");
  Info1 = Hilfe1->Add("Info1", "Info");
  Info1->OnClick = Handler(this, &TForm21::Info1Click);

  // The logo beside the program.
  Image1 = new TImage(this);
  Image1->SetName("Image1");
  Image1->SetBounds(8, 8, 240, 80);
  const QString logo = QDir(QCoreApplication::applicationDirPath()).filePath("logo.jpg");
  if (QFileInfo::exists(logo)) {
    try {
      Image1->LoadFromFile(logo.toStdString());
    } catch (const std::exception&) {
      // Without its logo the window works all the same.
    }
  }
  Image1->OnMouseDown = Handler(this, &TForm21::Image1MouseDown);

  // The channel area: row labels on the left, one group per channel with a
  // field per row.
  Label15 = NewLabel(this, "Label15", "Setup und Kennwertkalibrierung", 8, 100, 300);
  Label15->Font().SetBold(true);
  Label26 = NewLabel(this, "Label26", "Setup schreibgeschützt!", 320, 100, 200);
  Label26->Font().SetColor(clRed);
  Label26->SetVisible(false);
  Label1 = NewLabel(this, "Label1", "Nennkennwert", 8, 140, 250);
  Label2 = NewLabel(this, "Label2", "Masseinheit", 8, 170, 250);
  Label5 = NewLabel(this, "Label5", "Anzahl Stellen der Messwertübertragung", 8, 200, 250);
  Label4 = NewLabel(this, "Label4", "Eingangssignal bei Nennkennwert", 8, 230, 250);
  Label3 = NewLabel(this, "Label3", "Eingangssignal", 8, 260, 250);
  Label3->OnClick = Handler(this, &TForm21::Label3Click);

  GroupBox1 = new TGroupBox(this, "Kanal 1");
  GroupBox1->SetName("GroupBox1");
  GroupBox1->SetBounds(270, 120, 240, 196);
  Edit1 = NewEdit(GroupBox1, "Edit1", 10, 16, 6);
  ComboBox1 = NewUnitList(GroupBox1, "ComboBox1", 10, 46);
  ComboBox3 = NewDigitsList(GroupBox1, "ComboBox3", 10, 76);
  Edit2 = NewEdit(GroupBox1, "Edit2", 10, 106, 7);
  Label16 = NewLabel(GroupBox1, "Label16", "", 10, 140, 85);
  Label23 = NewLabel(GroupBox1, "Label23", "mV/V", 100, 140, 130);
  Label23->SetVisible(false);
  Label19 = NewLabel(GroupBox1, "Label19", "Lastkalibriert", 10, 170, 150);
  Label19->Font().SetColor(clGreen);

  GroupBox2 = new TGroupBox(this, "Kanal 2");
  GroupBox2->SetName("GroupBox2");
  GroupBox2->SetBounds(520, 120, 240, 196);
  CheckBox1 = new TCheckBox(GroupBox2, "Aktiv");
  CheckBox1->SetName("CheckBox1");
  CheckBox1->SetBounds(170, 16, 64, 20);
  Panel1 = new TPanel(GroupBox2);
  Panel1->SetName("Panel1");
  Panel1->SetFlat(true);
  Panel1->SetBounds(4, 12, 164, 180);
  Edit3 = NewEdit(Panel1, "Edit3", 6, 4, 6);
  ComboBox5 = NewUnitList(Panel1, "ComboBox5", 6, 34);
  ComboBox7 = NewDigitsList(Panel1, "ComboBox7", 6, 64);
  Edit4 = NewEdit(Panel1, "Edit4", 6, 94, 7);
  Label17 = NewLabel(Panel1, "Label17", "", 6, 128, 75);
  Label25 = NewLabel(Panel1, "Label25", "mV/V", 84, 128, 76);
  Label25->SetVisible(false);
  Label20 = NewLabel(Panel1, "Label20", "Lastkalibriert", 6, 158, 150);
  Label20->Font().SetColor(clGreen);

  Label6 = NewLabel(this, "Label6", "Interne Abtastrate [1/s]", 8, 324, 250);
  ComboBox4 = new TComboBox(this, TComboBoxStyle::csDropDownList);
  ComboBox4->SetName("ComboBox4");
  ComboBox4->SetBounds(270, 320, 80, 22);
  ComboBox4->SetItems({"25", "50", "100", "200", "400", "800", "1600"});
  Label7 = NewLabel(this, "Label7", "Geräteadresse", 8, 350, 250);
  Label7->OnClick = Handler(this, &TForm21::Label7Click);
  Edit5 = NewEdit(this, "Edit5", 270, 346, 3);
  Edit5->SetBounds(270, 346, 50, 22);
  Edit5->SetText("1");
  Edit5->SetEnabled(false);
  Button6 = NewButton(this, "Button6", "OK?", 326, 343, 40);
  Button6->SetVisible(false);

  GroupBox3 = new TGroupBox(this, "Gerätedaten");
  GroupBox3->SetName("GroupBox3");
  GroupBox3->SetBounds(8, 376, 600, 228);
  GroupBox3->OnClick = Handler(this, &TForm21::GroupBox3Click);

  // The device data: identity, weights, zero/tare buttons, status texts and line.
  Label8 = NewLabel(GroupBox3, "Label8", "", 8, 22, 580);
  Label9 = NewLabel(GroupBox3, "Label9", "", 8, 43, 580);
  Label10 = NewLabel(GroupBox3, "Label10", "", 8, 64, 580);
  Label13 = NewLabel(GroupBox3, "Label13", "", 8, 88, 200);
  auto weightLabel = [this](const char* name, const char* caption, int top) {
    TLabel* label = NewLabel(GroupBox3, name, caption, 8, top, 440);
    label->SetBounds(8, top, 440, 30);
    label->Font().SetHeight(22);
    label->Font().SetBold(true);
    label->Font().SetColor(clNavy);
    return label;
  };
  Label11 = weightLabel("Label11", "Messwert 1", 108);
  Label21 = weightLabel("Label21", "Messwert 2", 140);
  Label24 = weightLabel("Label24", "Messwert Summenkanal", 172);
  Label24->SetVisible(false);
  Button5 = NewButton(GroupBox3, "Button5", "> 0 <", 460, 108, 60);
  Button5->SetEnabled(false);
  Button5->OnClick = Handler(this, &TForm21::Button5Click);
  Button7 = NewButton(GroupBox3, "Button7", "> 0 <", 460, 140, 60);
  Button7->SetEnabled(false);
  Button7->SetVisible(false);
  Button7->OnClick = Handler(this, &TForm21::Button7Click);
  Button8 = NewButton(GroupBox3, "Button8", "Hold", 530, 108, 60);
  Button8->SetVisible(false);
  Label12 = NewLabel(GroupBox3, "Label12", "FEHLER", 460, 168, 60);
  Label12->Font().SetColor(clRed);
  Label12->SetVisible(false);
  Label35 = NewLabel(GroupBox3, "Label35", "LowBAT", 530, 168, 60);
  Label35->Font().SetColor(clRed);
  Label35->SetVisible(false);
  Label18 = NewLabel(GroupBox3, "Label18", "", 460, 188, 130);
  Label22 = NewLabel(GroupBox3, "Label22", "", 460, 206, 130);
  Label14 = NewLabel(GroupBox3, "Label14", "", 8, 206, 440);

  Panel2 = new TPanel(this);
  Panel2->SetName("Panel2");
  Panel2->SetBounds(770, 8, 16, 16);
  Panel2->SetVisible(false);


  Button1 = NewButton(this, "Button1", "Verbinden", 620, 386, 150);
  Button1->OnClick = Handler(this, &TForm21::Button1Click);
  Button3 = NewButton(this, "Button3", "Setup von Gerät lesen", 620, 420, 150);
  Button3->OnClick = Handler(this, &TForm21::Button3Click);
  Button4 = NewButton(this, "Button4", "Setup in Gerät schreiben", 620, 454, 150);
  Button4->OnClick = Handler(this, &TForm21::Button4Click);
  Button2 = NewButton(this, "Button2", "Beenden", 620, 488, 150);
  Button2->OnClick = Handler(this, &TForm21::Button2Click);

  ProgressBar1 = new TProgressBar(this);
  ProgressBar1->SetName("ProgressBar1");
  ProgressBar1->SetBounds(8, 607, 600, 12);
  ProgressBar1->SetRange(0, 100);
  ProgressBar1->SetVisible(false);

  StatusBar1 = new TStatusBar(this);
  StatusBar1->SetName("StatusBar1");
  StatusBar1->AddPanel("RS232", 50);
  StatusBar1->AddPanel("Status", 40);
  StatusBar1->AddPanel("Setup", 85);
  StatusBar1->AddPanel("Mode", 50);
  StatusBar1->AddPanel("RS232-Daten", 550);

  OnActivate = Handler(this, &TForm21::FormActivate);
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };

  BuildHiddenPanels();
  HookChannelAndSetupHandlers();
  HookMenuHandlers();

  // The expert items stay hidden until a supervisor switches the expert view on.
  for (TMenuItem* expert : {KalibrierungIntern1, Admin1, CheckConnect1}) expert->SetVisible(false);
  // The soft reset is offered in the expert view only.
  SoftReset1->SetVisible(false);
  ResetVD4171->SetVisible(true);

  Polling = std::make_unique<ServicePolling>(*this);
}

void TForm21::ChangeLanguage() {
  const int lang = Form1 != nullptr ? Form1->Options.lang : 0;
  auto t = [lang](int row) { return std::string(Text(row, lang)); };
  SetCaption(t(62));
  Datei1->SetCaption(t(63));
  ffnen1->SetCaption(t(64));
  Speichern1->SetCaption(t(65));
  Speichernunter1->SetCaption(t(66));
  Beenden1->SetCaption(t(67));
  Kalibrieren1->SetCaption(t(68));
  Kanal1->SetCaption(t(69));
  Kanal2->SetCaption(t(70));
  Parameter1->SetCaption(t(71));
  ParameterKanal01->SetCaption(t(72));
  ParameterGlobal10->SetCaption(t(73));
  ParameterKanal11->SetCaption(t(74));
  ParameterKanal12->SetCaption(t(75));
  ParameterExb11->SetCaption(t(76));
  ParameterExb12->SetCaption(t(77));
  Extras1->SetCaption(t(78));
  Optionen1->SetCaption(t(79));
  Sprache1->SetCaption(t(80));
  Deutsch1->SetCaption(t(81));
  Englisch1->SetCaption(t(82));
  Schnittstelle1->SetCaption(t(83));
  Schnittstellentyp1->SetCaption(t(84));
  RS2321->SetCaption(t(85));
  RS4851->SetCaption(t(86));
  Terminal1->SetCaption(t(90));
  AutomatischeBaudratenerkennung1->SetCaption(t(87));
  CheckConnect1->SetCaption(t(88));
  ShowVD4171->SetCaption(t(89));
  ButtonFunktion1->SetCaption(t(91));
  Tarierung1->SetCaption(t(92));
  Nullung1->SetCaption(t(93));
  BruttoNetto1->SetCaption(t(94));
  Brutto1->SetCaption(t(95));
  Netto1->SetCaption(t(96));
  Profibus1->SetCaption(t(97));
  Logfunktionaktiv1->SetCaption(t(98));
  Logfunktionen1->SetCaption(t(99));
  LogFunktion1->SetCaption(t(100));
  KontModeGewichtswerte1->SetCaption(t(101));
  DemoMode1->SetCaption(t(102));
  DefaultSetupinVD4171->SetCaption(t(103));
  RTCinVD417stellen1->SetCaption(t(104));
  ResetLKZ1->SetCaption(t(105));
  WerteBandwaage1->SetCaption(t(106));
  SoftReset1->SetCaption(t(107));
  ResetVD4171->SetCaption(t(108));
  SetuplesenbeiNeuVerbinden1->SetCaption(t(109));
  SetupBackup1->SetCaption(t(110));
  SetupRestore1->SetCaption(t(111));
  Admin1->SetCaption(t(112));
  ProduktionPrfung1->SetCaption(t(113));
  Werkseinstellungen1->SetCaption(t(114));
  FlashUpdate1->SetCaption(t(115));
  KalibrierungIntern1->SetCaption(t(116));
  KalibrierungExtern1->SetCaption(t(117));
  Debug1->SetCaption(t(118));
  ADCDebug1->SetCaption(t(119));
  Setup1->SetCaption(t(120));
  SetupRO->SetCaption(t(121));
  RS232Data1->SetCaption(t(122));
  RS232Logging1->SetCaption(t(123));
  KontGewichtsmodebeenden1->SetCaption(t(124));
  ErrorCodes1->SetCaption(t(125));
  Inkrementalwerte1->SetCaption(t(126));
  Hilfe1->SetCaption(t(127));
  Hilfe2->SetCaption(t(128));
  Info1->SetCaption(t(129));
  Label15->SetCaption(t(130));
  Label1->SetCaption(t(131));
  Label2->SetCaption(t(132));
  Label5->SetCaption(t(133));
  Label4->SetCaption(t(134));
  Label3->SetCaption(t(135));
  Label6->SetCaption(t(136));
  Label7->SetCaption(t(137));
  Label26->SetCaption(t(138));
  GroupBox1->SetCaption(t(139));
  GroupBox2->SetCaption(t(140));
  GroupBox3->SetCaption(t(141));
  Label19->SetCaption(t(142));
  Label20->SetCaption(t(142));
  CheckBox1->SetCaption(t(143));
  FillUnitList(ComboBox1, lang);
  FillUnitList(ComboBox5, lang);
  Button1->SetCaption(t(ServiceConnected == 1 ? 153 : 152));
  Button2->SetCaption(t(154));
  Button3->SetCaption(t(155));
  Button4->SetCaption(t(156));
  Label14->SetCaption("");
  // The device lines keep what they show, in the new language.
  if (!Label10->Caption().empty()) ShowProfibusState();
}
