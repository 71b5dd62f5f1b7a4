#pragma once
#include <array>

#include "platform/forms/forms.h"

// The device's two error bytes and the status byte of the last reply, bit by
// bit; the value of one error class on request; clearing the error bytes.
class TForm11 : public TForm {
 public:
  TForm11();

  TLabel* Label1;  // "Error-Byte 1"
  TLabel* Label2;  // "Error-Byte 2"
  TLabel* Label4;  // "Status-Byte"
  TLabel* Label44;  // error byte 1 in hex
  TLabel* Label45;  // error byte 2 in hex
  TLabel* Label46;  // status byte in hex
  // Names of the error classes of error byte 1; a click reads the class's value.
  TLabel* Label12;  // "INIT"
  TLabel* Label13;  // "SETUP"
  TLabel* Label14;  // "COM"
  TLabel* Label15;  // "ADC"
  TLabel* Label36;  // "LC"
  TLabel* Label16;  // "HW"
  TLabel* Label35;  // "PB"
  TLabel* Label51;  // "-> Nicht genutzt!" (error byte 2)
  // Names of the status bits; two-word names on two labels.
  TLabel* Label33;  // "ERROR"
  TLabel* Label49;  // "VBat", shown for device type 4
  TLabel* Label50;  // "Low", shown for device type 4
  TLabel* Label40;  // "Überlast"
  TLabel* Label41;  // "Unterlast"
  TLabel* Label42;  // "Brücken-"
  TLabel* Label43;  // "fehler"
  TLabel* Label34;  // "EXB"
  TLabel* Label37;  // "vorh."
  TLabel* Label47;  // "Default-"
  TLabel* Label48;  // "Setup"
  TLabel* Label39;  // "Wert der Fehler-Struktur"
  TLabel* Label38;  // the value of the class last read
  // CheckBox1..8 error byte 1, CheckBox9..16 error byte 2, CheckBox17..24 the status byte, bit 0 first.
  std::array<TCheckBox*, 24> CheckBoxes{};
  TButton* Button3;  // "Aktualisieren"
  TButton* Button2;  // "Fehlerbytes löschen"
  TButton* Button1;  // "Beenden"

  // The stored bytes of the link on the window, without device traffic.
  void ActivateWindow(TObject* Sender);
  void ClearStatusDisplay();
  void Label12Click(TObject* Sender);
  void Label13Click(TObject* Sender);
  void Label14Click(TObject* Sender);
  void Label15Click(TObject* Sender);
  void Label36Click(TObject* Sender);
  void Label16Click(TObject* Sender);
  void Label35Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void ChangeLanguage();

 private:
  // Reads one error class and shows its value with the class's name.
  void ShowErrorClass(uint8_t mask, const char* name);
  // After a failed read: "-" for the three bytes and no box checked.
  void ShowUnread();
};

extern TForm11* Form11;
