#include "app/diag/error_status.h"

#include <QWidget>
#include <cstdio>
#include <string>

#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "platform/forms/control_placement.h"

TForm11* Form11 = nullptr;

namespace {

constexpr int kColumnLeft = 130;
constexpr int kColumnWidth = 60;
// Top of the name labels of each byte's row.
constexpr int kRowTop[3] = {40, 116, 192};
// The device type whose status bit 1 reports a low battery.
constexpr int kBatteryDeviceType = 4;

TLabel* NewLabel(TWinControl* parent, const char* name, const std::string& caption, int left, int top, int width) {
  return PlaceControl<TLabel>(parent, name, left, top, width, 16, caption);
}

// A name label above the check box of `bit` in `row`; `line` 1 is the second word of a two-word name.
TLabel* NameLabel(TWinControl* parent, const char* name, const char* caption, int row, int bit, int line = 0) {
  return NewLabel(parent, name, caption, kColumnLeft + bit * kColumnWidth, kRowTop[row] + line * 15, kColumnWidth - 4);
}

TButton* NewButton(TWinControl* parent, const char* name, const char* caption, int left, int width) {
  return PlaceControl<TButton>(parent, name, left, 320, width, 28, caption);
}

std::string Hex(uint8_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%.2X", value);
  return text;
}

int Lang() { return Form1 != nullptr ? Form1->Options.lang : 0; }

}  // namespace

TForm11::TForm11() {
  SetName("Form11");
  SetCaption("Status - Error");
  SetSize(640, 400);

  for (int bit = 0; bit < 8; ++bit) {
    static constexpr const char* names[8] = {"Label3", "Label5", "Label6", "Label7",
                                             "Label8", "Label9", "Label10", "Label11"};
    NewLabel(this, names[bit], "Bit " + std::to_string(bit), kColumnLeft + bit * kColumnWidth, 10, kColumnWidth - 4)
        ->Font()
        .SetBold(true);
  }
  const char* headings[3] = {"Error-Byte 1", "Error-Byte 2", "Status-Byte"};
  const char* headingNames[3] = {"Label1", "Label2", "Label4"};
  const char* hexNames[3] = {"Label44", "Label45", "Label46"};
  TLabel* headingLabels[3];
  TLabel* hexLabels[3];
  for (int row = 0; row < 3; ++row) {
    headingLabels[row] = NewLabel(this, headingNames[row], headings[row], 8, kRowTop[row], 115);
    headingLabels[row]->Font().SetBold(true);
    hexLabels[row] = NewLabel(this, hexNames[row], "0x00", 8, kRowTop[row] + 32, 60);
    for (int bit = 0; bit < 8; ++bit) {
      const int index = row * 8 + bit;
      const std::string name = "CheckBox" + std::to_string(index + 1);
      CheckBoxes[static_cast<size_t>(index)] =
          PlaceControl<TCheckBox>(this, name.c_str(), kColumnLeft + bit * kColumnWidth + 16, kRowTop[row] + 32, 20, 20);
    }
  }
  Label1 = headingLabels[0];
  Label2 = headingLabels[1];
  Label4 = headingLabels[2];
  Label44 = hexLabels[0];
  Label45 = hexLabels[1];
  Label46 = hexLabels[2];

  Label12 = NameLabel(this, "Label12", "INIT", 0, 0);
  Label13 = NameLabel(this, "Label13", "SETUP", 0, 1);
  Label14 = NameLabel(this, "Label14", "COM", 0, 2);
  Label15 = NameLabel(this, "Label15", "ADC", 0, 3);
  Label36 = NameLabel(this, "Label36", "LC", 0, 4);
  Label16 = NameLabel(this, "Label16", "HW", 0, 5);
  Label35 = NameLabel(this, "Label35", "PB", 0, 7);
  Label51 = NewLabel(this, "Label51", "-> Nicht genutzt!", kColumnLeft, kRowTop[1], 200);
  Label33 = NameLabel(this, "Label33", "ERROR", 2, 0);
  Label49 = NameLabel(this, "Label49", "VBat", 2, 1);
  Label50 = NameLabel(this, "Label50", "Low", 2, 1, 1);
  Label40 = NameLabel(this, "Label40", "Überlast", 2, 2);
  Label41 = NameLabel(this, "Label41", "Unterlast", 2, 3);
  Label42 = NameLabel(this, "Label42", "Brücken-", 2, 4);
  Label43 = NameLabel(this, "Label43", "fehler", 2, 4, 1);
  Label34 = NameLabel(this, "Label34", "EXB", 2, 6);
  Label37 = NameLabel(this, "Label37", "vorh.", 2, 6, 1);
  Label47 = NameLabel(this, "Label47", "Default-", 2, 7);
  Label48 = NameLabel(this, "Label48", "Setup", 2, 7, 1);

  Label39 = NewLabel(this, "Label39", "Wert der Fehler-Struktur", 8, 276, 200);
  Label38 = NewLabel(this, "Label38", " ", 220, 276, 300);
  Label38->Font().SetColor(clRed);
  Label38->Font().SetBold(true);

  const std::pair<TLabel*, void (TForm11::*)(TObject*)> classes[] = {
      {Label12, &TForm11::Label12Click}, {Label13, &TForm11::Label13Click}, {Label14, &TForm11::Label14Click},
      {Label15, &TForm11::Label15Click}, {Label36, &TForm11::Label36Click}, {Label16, &TForm11::Label16Click},
      {Label35, &TForm11::Label35Click}};
  for (const auto& [label, handler] : classes) {
    label->Font().SetColor(clNavy);
    label->OnClick = Handler(this, handler);
  }

  Button3 = NewButton(this, "Button3", "Aktualisieren", 8, 150);
  Button3->OnClick = Handler(this, &TForm11::Button3Click);
  Button2 = NewButton(this, "Button2", "Fehlerbytes löschen", 166, 170);
  Button2->OnClick = Handler(this, &TForm11::Button2Click);
  Button1 = NewButton(this, "Button1", "Beenden", 512, 110);
  Button1->OnClick = Handler(this, &TForm11::Button1Click);

  OnActivate = Handler(this, &TForm11::ActivateWindow);
}

void TForm11::ActivateWindow(TObject* Sender) {
  if (Form1 == nullptr) return;
  const TForm1& link = *Form1;
  const bool battery = link.DeviceType == kBatteryDeviceType;
  Label49->SetVisible(battery);
  Label50->SetVisible(battery);
  ClearStatusDisplay();
  // Bit 6 of error byte 1, error byte 2 and bit 5 of the status byte show in hex only.
  const uint8_t error1 = link.ErrorCodes[0];
  Label44->SetCaption(Hex(error1));
  for (int bit = 0; bit < 8; ++bit)
    if (bit != 6 && (error1 & (1 << bit)) != 0) CheckBoxes[static_cast<size_t>(bit)]->SetChecked(true);
  Label45->SetCaption(Hex(link.ErrorCodes[1]));
  const uint8_t status = link.DeviceStatus;
  Label46->SetCaption(Hex(status));
  for (int bit = 0; bit < 8; ++bit) {
    if (bit == 5 || (bit == 1 && !battery)) continue;
    if ((status & (1 << bit)) != 0) CheckBoxes[static_cast<size_t>(16 + bit)]->SetChecked(true);
  }
  Widget()->update();
}

void TForm11::ClearStatusDisplay() {
  for (TCheckBox* box : CheckBoxes) box->SetChecked(false);
  Label38->SetCaption(" ");
}

void TForm11::ShowErrorClass(uint8_t mask, const char* name) {
  if (Form1 == nullptr) return;
  char text[48];
  if (Form1->ReadErrorClass(mask)) {
    const uint8_t value = Form1->ErrorItemValue;
    std::snprintf(text, sizeof text, "%s : %d / 0x%.2X", name, value, value);
  } else {
    // No value of this class came: no earlier one stands for it.
    std::snprintf(text, sizeof text, "%s : -", name);
  }
  Label38->SetCaption(text);
}

void TForm11::Label12Click(TObject* Sender) { ShowErrorClass(0x01, "INIT"); }
void TForm11::Label13Click(TObject* Sender) { ShowErrorClass(0x02, "SETUP"); }
void TForm11::Label14Click(TObject* Sender) { ShowErrorClass(0x04, "COM"); }
void TForm11::Label15Click(TObject* Sender) { ShowErrorClass(0x08, "ADC"); }
void TForm11::Label36Click(TObject* Sender) { ShowErrorClass(0x10, "LC"); }
void TForm11::Label16Click(TObject* Sender) { ShowErrorClass(0x20, "HW"); }
void TForm11::Label35Click(TObject* Sender) { ShowErrorClass(0x80, "PB"); }

void TForm11::Button3Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  const bool read = Form1->ReadErrorCodes();
  ActivateWindow(Sender);
  if (!read) ShowUnread();
}

void TForm11::ShowUnread() {
  // The bytes shown are those of an earlier read, not the device's now.
  for (TCheckBox* box : CheckBoxes) box->SetChecked(false);
  for (TLabel* label : {Label44, Label45, Label46}) label->SetCaption("-");
}

void TForm11::Button2Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  Form1->ClearErrorCodes();
  // The device's bytes are zero from now on: the next activation must not show the old ones again.
  Form1->ErrorCodes = {0, 0};
  ClearStatusDisplay();
}

void TForm11::Button1Click(TObject* Sender) {
  Label38->SetCaption("");
  Close();
}

void TForm11::ChangeLanguage() {
  const int lang = Lang();
  const std::pair<TLabel*, int> labels[] = {{Label1, 373},  {Label2, 374},  {Label4, 375},  {Label39, 376},
                                            {Label51, 377}, {Label33, 378}, {Label49, 379}, {Label50, 380},
                                            {Label40, 381}, {Label41, 382}, {Label42, 383}, {Label43, 384},
                                            {Label34, 385}, {Label37, 386}, {Label47, 387}, {Label48, 388}};
  SetCaption(Text(372, lang));
  for (const auto& [label, row] : labels) label->SetCaption(Text(row, lang));
  Button3->SetCaption(Text(389, lang));
  Button2->SetCaption(Text(390, lang));
  Button1->SetCaption(Text(391, lang));
}
