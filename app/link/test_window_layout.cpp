// The test window's layout: menu tree, the pages "Informationen" and
// "Gewichtswerte", the status groups and the buttons beside the pages.
#include <string>

#include "app/link/test_window.h"

namespace {

template <class T>
T* Named(T* control, const char* name, int left, int top, int width, int height) {
  control->SetName(name);
  control->SetBounds(left, top, width, height);
  return control;
}

TLabel* NewLabel(TWinControl* parent, const char* name, const std::string& caption, int left, int top, int width) {
  return Named(new TLabel(parent, caption), name, left, top, width, 16);
}

// A caption label that no handler addresses.
void CaptionLabel(TWinControl* parent, const std::string& caption, int left, int top, int width) {
  auto* label = new TLabel(parent, caption);
  label->SetBounds(left, top, width, 16);
}

TButton* NewButton(TWinControl* parent, const char* name, const std::string& caption, int left, int top, int width) {
  return Named(new TButton(parent, caption), name, left, top, width, 25);
}

TMenuItem* Entry(TMenuItem* menu, const char* name, const std::string& caption, bool visible = true,
                 bool enabled = true) {
  TMenuItem* item = menu->Add(name, caption);
  item->SetVisible(visible);
  item->SetEnabled(enabled);
  return item;
}

}  // namespace

void TForm1::BuildMenus() {
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");

  Datei1 = Entry(MainMenu1, "Datei1", "Datei");
  Logdateianzeigen1 = Entry(Datei1, "Logdateianzeigen1", "Logdatei anzeigen");
  Logdateianzeigen1->OnClick = Handler(this, &TForm1::Logdateianzeigen1Click);
  Entry(Datei1, "N1", "-");
  B1 = Entry(Datei1, "B1", "Beenden");
  B1->OnClick = Handler(this, &TForm1::B1Click);

  Optionen1 = Entry(MainMenu1, "Optionen1", "Optionen");
  RS232Parameter1 = Entry(Optionen1, "RS232Parameter1", "RS232-Parameter", false);
  RS232Parameter1->OnClick = Handler(this, &TForm1::RS232Parameter1Click);
  RS232Fenster1 = Entry(Optionen1, "RS232Fenster1", "RS232-Fenster");
  RS232Fenster1->RadioItem = true;
  RS232Fenster1->GroupIndex = 1;
  RS232Fenster1->OnClick = Handler(this, &TForm1::RS232Fenster1Click);
  RS232Daten1 = Entry(Optionen1, "RS232Daten1", "RS232-Daten", false);
  RS232Daten1->RadioItem = true;
  RS232Daten1->GroupIndex = 1;
  RS232Daten1->OnClick = Handler(this, &TForm1::RS232Daten1Click);
  Entry(Optionen1, "N2", "-");
  ProgrammOptionen1 = Entry(Optionen1, "ProgrammOptionen1", "Programm-Optionen");
  ProgrammOptionen1->OnClick = Handler(this, &TForm1::ProgrammOptionen1Click);

  VD4171 = Entry(MainMenu1, "VD4171", "VD417");
  Verwaltung1 = Entry(VD4171, "Verwaltung1", "Verwaltung");
  Verwaltung1->OnClick = Handler(this, &TForm1::Verwaltung1Click);
  Setup1 = Entry(VD4171, "Setup1", "Setup");
  Setup1->OnClick = Handler(this, &TForm1::Setup1Click);
  Kalibrierung1 = Entry(VD4171, "Kalibrierung1", "Kalibrierung");
  Intern1 = Entry(Kalibrierung1, "Intern1", "Intern");
  Intern1->OnClick = Handler(this, &TForm1::Intern1Click);
  Extern1 = Entry(Kalibrierung1, "Extern1", "Extern");
  Extern1->OnClick = Handler(this, &TForm1::Extern1Click);
  ADCFunktionen1 = Entry(VD4171, "ADCFunktionen1", "ADC-Funktionen");
  ADCFunktionen1->OnClick = Handler(this, &TForm1::ADCFunktionen1Click);
  ErrorCodes1 = Entry(VD4171, "ErrorCodes1", "Error-Codes");
  Lesen1 = Entry(ErrorCodes1, "Lesen1", "Lesen");
  Lesen1->OnClick = Handler(this, &TForm1::Lesen1Click);
  Rcksetzen1 = Entry(ErrorCodes1, "Rcksetzen1", "Rücksetzen");
  Rcksetzen1->OnClick = Handler(this, &TForm1::Rcksetzen1Click);
  Entry(VD4171, "N3", "-");
  VD417Reset1 = Entry(VD4171, "VD417Reset1", "VD417-Reset");
  VD417Reset1->OnClick = Handler(this, &TForm1::VD417Reset1Click);
  SoftReset1 = Entry(VD4171, "SoftReset1", "Soft-Reset");
  SoftReset1->OnClick = Handler(this, &TForm1::SoftReset1Click);
  ADCReset1 = Entry(VD4171, "ADCReset1", "ADC-Reset", false, false);
  ADCReset1->OnClick = Handler(this, &TForm1::ADCReset1Click);
  Entry(VD4171, "N4", "-", false);
  RcksetzenCmd1 = Entry(VD4171, "RcksetzenCmd1", "Rücksetzen Cmd", false);
  RcksetzenCmd1->OnClick = Handler(this, &TForm1::RcksetzenCmd1Click);
  RcksetzenCmdFail1 = Entry(VD4171, "RcksetzenCmdFail1", "Rücksetzen Cmd-Fail", false);
  RcksetzenCmdFail1->OnClick = Handler(this, &TForm1::RcksetzenCmdFail1Click);

  rtv482 = Entry(MainMenu1, "rtv482", "RTV482");
  rtv482->OnClick = Handler(this, &TForm1::rtv482Click);

  Test1 = Entry(MainMenu1, "Test1", "Test");
  TestRS2321 = Entry(Test1, "TestRS2321", "Test RS232");
  TestRS2321->OnClick = Handler(this, &TForm1::TestRS2321Click);
  TestRs232terminal1 = Entry(Test1, "TestRs232terminal1", "Test RS232-Terminal");
  TestRs232terminal1->OnClick = Handler(this, &TForm1::TestRs232terminal1Click);
  TestProfibus1 = Entry(Test1, "TestProfibus1", "Test Profibus");
  TestProfibus1->OnClick = Handler(this, &TForm1::TestProfibus1Click);
  Entry(Test1, "N5", "-");
  RuecksetzenVD417Info1 = Entry(Test1, "RuecksetzenVD417Info1", "Rücksetzen VD417-Info");
  RuecksetzenVD417Info1->OnClick = Handler(this, &TForm1::RuecksetzenVD417Info1Click);
  Entry(Test1, "N6", "-");
  VD417Debug1 = Entry(Test1, "VD417Debug1", "VD417-Debug");
  VD417Debug1->OnClick = Handler(this, &TForm1::VD417Debug1Click);
  Entry(Test1, "N7", "-", false);
  Testcportdll1 = Entry(Test1, "Testcportdll1", "Test cport_dll", false, false);

  Logging1 = Entry(MainMenu1, "Logging1", "Logging");
  RS232Logging1 = Entry(Logging1, "RS232Logging1", "RS232-Logging");
  RS232Logging1->RadioItem = true;
  RS232Logging1->OnClick = Handler(this, &TForm1::RS232Logging1Click);

  Info1 = Entry(MainMenu1, "Info1", "Info");
  Hilfe1 = Entry(Info1, "Hilfe1", "Hilfe", false, false);
  About1 = Entry(Info1, "About1", "About");
  About1->OnClick = Handler(this, &TForm1::About1Click);
}

void TForm1::BuildInformationPage() {
  PageControl1 = Named(new TPageControl(this), "PageControl1", 8, 8, 600, 534);
  TabSheet1 = PageControl1->AddPage("Informationen");
  TabSheet1->SetName("TabSheet1");
  TabSheet2 = PageControl1->AddPage("Gewichtswerte");
  TabSheet2->SetName("TabSheet2");

  GroupBox3 = Named(new TGroupBox(TabSheet1, "Infomationen"), "GroupBox3", 8, 8, 578, 384);
  // The panels' titles sit in their top left corner, clear of the rows.
  Panel1 = Named(new TPanel(GroupBox3), "Panel1", 8, 22, 562, 232);
  NewLabel(Panel1, "Label5", "Gerätedaten", 8, 6, 200)->Font().SetBold(true);
  const int captionLeft = 8;
  const int valueLeft = 160;
  auto row = [](int k) { return 30 + k * 28; };
  CaptionLabel(Panel1, "Firmwareversion", captionLeft, row(0), 140);
  Label_VD417_FW = NewLabel(Panel1, "Label_VD417_FW", "-", valueLeft, row(0), 120);
  Label_VD417_FV = NewLabel(Panel1, "Label_VD417_FV", "-", valueLeft + 130, row(0), 110);
  Label_VD417_FD = NewLabel(Panel1, "Label_VD417_FD", "-", valueLeft + 250, row(0), 110);
  CaptionLabel(Panel1, "Hardwareversion", captionLeft, row(1), 140);
  Label_VD417_HW = NewLabel(Panel1, "Label_VD417_HW", "-", valueLeft, row(1), 120);
  CaptionLabel(Panel1, "Seriennummer", captionLeft, row(2), 140);
  Label_VD417_SN = NewLabel(Panel1, "Label_VD417_SN", "-", valueLeft, row(2), 120);
  CaptionLabel(Panel1, "Produktionsdatum", captionLeft, row(3), 140);
  Label_VD417_PD = NewLabel(Panel1, "Label_VD417_PD", "-", valueLeft, row(3), 120);
  CaptionLabel(Panel1, "Infotext", captionLeft, row(4), 140);
  Label_VD417_IT = NewLabel(Panel1, "Label_VD417_IT", "-", valueLeft, row(4), 390);
  CaptionLabel(Panel1, "Firmwareversion EXB", captionLeft, row(5), 140);
  Label_EXB_FW = NewLabel(Panel1, "Label_EXB_FW", "-", valueLeft, row(5), 120);
  CaptionLabel(Panel1, "Variante EXB", captionLeft, row(6), 140);
  Label_EXB_HW = NewLabel(Panel1, "Label_EXB_HW", "-", valueLeft, row(6), 120);

  Panel2 = Named(new TPanel(GroupBox3), "Panel2", 8, 264, 562, 110);
  NewLabel(Panel2, "Label6", "Datum / Zeit", 8, 6, 200)->Font().SetBold(true);
  CaptionLabel(Panel2, "VD417", captionLeft, row(0), 140);
  Label_VD417_Time = NewLabel(Panel2, "Label_VD417_Time", "-", valueLeft, row(0), 300);
  CaptionLabel(Panel2, "PC", captionLeft, row(1), 140);
  Label_PC_Time = NewLabel(Panel2, "Label_PC_Time", "-", valueLeft, row(1), 300);

  Button1 = NewButton(TabSheet1, "Button1", "VD417-Einstellungen", 8, 404, 170);
  Button1->OnClick = Handler(this, &TForm1::Button1Click);
  Button6 = NewButton(TabSheet1, "Button6", "ABBRUCH Kommunikation", 190, 404, 190);
  Button6->OnClick = Handler(this, &TForm1::Button6Click);
  Button6->SetVisible(false);
}

void TForm1::BuildWeightsPage() {
  TTabSheet* page = TabSheet2;
  Label20 = NewLabel(page, "Label20", "Gewichtswerte / Gewichtsstrings", 8, 8, 240);
  Label20->Font().SetBold(true);
  Label31 = NewLabel(page, "Label31", "-  Kanal", 256, 8, 120);
  Label31->Font().SetBold(true);
  Label31->SetVisible(false);

  const int valueLeft = 110;
  Label21 = NewLabel(page, "Label21", "Brutto", 8, 40, 90);
  Label22 = NewLabel(page, "Label22", "-", valueLeft, 40, 200);
  Label23 = NewLabel(page, "Label23", "Netto", 8, 64, 90);
  Label24 = NewLabel(page, "Label24", "-", valueLeft, 64, 200);
  Label25 = NewLabel(page, "Label25", "Tara", 8, 88, 90);
  Label26 = NewLabel(page, "Label26", "-", valueLeft, 88, 200);
  for (TLabel* value : {Label22, Label24, Label26}) value->Font().SetBold(true);
  Label28 = NewLabel(page, "Label28", "ADC-Kanal", 8, 112, 90);
  Label29 = NewLabel(page, "Label29", "-", valueLeft, 112, 60);
  Label27 = NewLabel(page, "Label27", "Debug-String", 8, 136, 570);
  Label27->SetVisible(false);

  Button9 = NewButton(page, "Button9", "Lesen", 8, 166, 100);
  Button9->OnClick = Handler(this, &TForm1::Button9Click);
  CheckBox2 = Named(new TCheckBox(page, "Schleife [ms]"), "CheckBox2", 120, 168, 110, 20);
  Edit2 = Named(new TEdit(page, "100"), "Edit2", 234, 167, 60, 22);
  CheckBox3 = Named(new TCheckBox(page, "Log in Datei"), "CheckBox3", 310, 168, 120, 20);

  Button13 = NewButton(page, "Button13", "Nullen", 8, 204, 100);
  Button13->OnClick = Handler(this, &TForm1::Button13Click);
  Button14 = NewButton(page, "Button14", "Tarieren", 120, 204, 100);
  Button14->OnClick = Handler(this, &TForm1::Button14Click);
  CheckBox4 = Named(new TCheckBox(page, "Tarawert speichern"), "CheckBox4", 234, 206, 160, 20);
  CheckBox4->SetVisible(false);
  Edit3 = Named(new TEdit(page), "Edit3", 8, 242, 100, 22);
  Edit3->SetMaxLength(16);
  Button15 = NewButton(page, "Button15", "Tarieren (Gewicht)", 120, 240, 150);
  Button15->OnClick = Handler(this, &TForm1::Button15Click);

  Label30 = NewLabel(page, "Label30", "Kanalumschaltung (cont. Mode)", 8, 280, 220);
  Button17 = NewButton(page, "Button17", "Kan.X->Kan.X", 8, 300, 120);
  Button17->OnClick = Handler(this, &TForm1::Button17Click);
  Label36 = NewLabel(page, "Label36", "Kanal", 140, 304, 50);
  Label36->SetVisible(false);
  RadioButton1 = Named(new TRadioButton(page, "Kanal 1"), "RadioButton1", 194, 302, 80, 20);
  RadioButton1->SetVisible(false);
  RadioButton2 = Named(new TRadioButton(page, "Kanal 2"), "RadioButton2", 280, 302, 80, 20);
  RadioButton2->SetVisible(false);

  Button20 = NewButton(page, "Button20", "GTWV - 2-Kanäle", 8, 344, 150);
  Button20->OnClick = Handler(this, &TForm1::Button20Click);
  CheckBox1 = Named(new TCheckBox(page, "Schleife"), "CheckBox1", 170, 346, 100, 20);
  Button22 = NewButton(page, "Button22", "VD417-Einstellungen", 400, 344, 170);
  Button22->OnClick = Handler(this, &TForm1::Button22Click);
}

void TForm1::BuildStatusGroups() {
  const int left = 620;
  GroupBox1 = Named(new TGroupBox(this, "PB-Status"), "GroupBox1", left, 8, 262, 50);
  GroupBox1->SetVisible(false);
  Label3 = NewLabel(GroupBox1, "Label3", "SPC3-Status", 8, 22, 96);
  Label3->OnClick = Handler(this, &TForm1::Label3Click);
  Label4 = NewLabel(GroupBox1, "Label4", "-", 110, 22, 40);
  Label1 = NewLabel(GroupBox1, "Label1", "-", 154, 22, 100);

  GroupBox2 = Named(new TGroupBox(this, "RS232/485-Status"), "GroupBox2", left, 64, 262, 72);
  Label15 = NewLabel(GroupBox2, "Label15", "VD417-Adr", 8, 22, 96);
  Label15->OnClick = Handler(this, &TForm1::Label15Click);
  Label16 = NewLabel(GroupBox2, "Label16", "-", 110, 22, 60);
  Label17 = NewLabel(GroupBox2, "Label17", "RS232-Status", 8, 44, 96);
  Label19 = NewLabel(GroupBox2, "Label19", "Close", 110, 44, 60);
  Label19->OnClick = Handler(this, &TForm1::Label19Click);

  GroupBox4 = Named(new TGroupBox(this, "VD417-Status"), "GroupBox4", left, 142, 262, 96);
  Label8 = NewLabel(GroupBox4, "Label8", "Fehlerbytes", 8, 22, 96);
  Label8->OnClick = Handler(this, &TForm1::Label8Click);
  Label9 = NewLabel(GroupBox4, "Label9", "", 110, 22, 140);
  Label12 = NewLabel(GroupBox4, "Label12", "Fehlerstatus", 8, 44, 96);
  Label12->OnClick = Handler(this, &TForm1::Label12Click);
  Label13 = NewLabel(GroupBox4, "Label13", "", 110, 44, 140);
  Label34 = NewLabel(GroupBox4, "Label34", "Status", 8, 66, 96);
  Label34->OnClick = Handler(this, &TForm1::Label12Click);
  Label35 = NewLabel(GroupBox4, "Label35", "", 110, 66, 140);

  // The buttons beside the pages, two columns; start-up shows them.
  struct Spec {
    TButton** button;
    const char* name;
    const char* caption;
    void (TForm1::*click)(TObject*);
  };
  const Spec buttons[] = {
      {&Button3, "Button3", "RS232-Fenster", &TForm1::Button3Click},
      {&Button4, "Button4", "VD417-Setup", &TForm1::Button4Click},
      {&Button5, "Button5", "Error-Code", &TForm1::Button5Click},
      {&Button2, "Button2", "ADC-Funktionen", &TForm1::Button2Click},
      {&Button7, "Button7", "VD417 Verwaltung", &TForm1::Button7Click},
      {&Button8, "Button8", "Int. Kalibrierung", &TForm1::Button8Click},
      {&Button12, "Button12", "Ext. Kalibrierung", &TForm1::Button12Click},
      {&Button10, "Button10", "VD417-Debug", &TForm1::Button10Click},
      {&Button11, "Button11", "Test PB", &TForm1::Button11Click},
      {&Button16, "Button16", "Reset VD417", &TForm1::Button16Click},
  };
  int k = 0;
  for (const Spec& s : buttons) {
    *s.button = NewButton(this, s.name, s.caption, left + (k % 2) * 132, 250 + (k / 2) * 32, 126);
    (*s.button)->OnClick = Handler(this, s.click);
    (*s.button)->SetVisible(false);
    ++k;
  }

  Edit1 = Named(new TEdit(this), "Edit1", 8, 550, 874, 22);
  Edit1->SetReadOnly(true);
  Edit1->SetVisible(false);
}
