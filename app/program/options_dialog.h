#pragma once
#include "platform/forms/forms.h"

// The program options ("Programm-Optionen"): shows the option block at every
// activation; "ENDE" takes the controls over and closes, "Speichern" takes
// them over and writes the program ini.
class TForm8 : public TForm {
 public:
  TForm8();

  TGroupBox* GroupBox1;  // "Kommunikationsparameter STX/ETX"
  TRadioButton* RadioButton1;  // "EIN"
  TRadioButton* RadioButton2;  // "AUS", disabled
  TGroupBox* GroupBox2;  // "Kommunikationsparameter CSum/BCC"
  TRadioButton* RadioButton3;
  TRadioButton* RadioButton4;
  TGroupBox* GroupBox3;  // "Kontinuierliches Senden (sdcont)"
  TRadioButton* RadioButton5;
  TRadioButton* RadioButton6;
  TCheckBox* CheckBox1;  // "Mittelung [ms]"
  TEdit* Edit3;          // sdcont_avg_time
  TGroupBox* GroupBox4;  // "Grenzwerte für Kalibrierung"
  TLabel* Label1;        // "Nullpkt."
  TEdit* Edit1;          // cal_null_pkt
  TLabel* Label3;        // "mV/V"
  TLabel* Label2;        // "Endpkt."
  TEdit* Edit2;          // cal_end_pkt
  TLabel* Label4;        // "mV/V"
  TGroupBox* GroupBox5;  // "Profibus"
  TCheckBox* CheckBox2;  // "Profibus EIN"
  TGroupBox* GroupBox6;  // "Diagnoseabfrage"
  TCheckBox* CheckBox3;  // "AUS/EIN - Abfrageintervall [ms]"
  TEdit* Edit4;          // diag_interval
  TGroupBox* GroupBox7;  // "Programmstart"
  TCheckBox* CheckBox4;  // "Broadcastabfrage"
  TGroupBox* GroupBox8;  // "Programmstart"
  TCheckBox* CheckBox5;  // "RS232-Logging"
  TGroupBox* GroupBox9;  // "VD417-Adresse"
  TEdit* Edit5;          // vd417_adr
  TButton* Button1;      // "ENDE"
  TButton* Button2;      // "Speichern"

  void ActivateWindow(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);

 private:
  // The controls into the option block (common to both buttons).
  void TakeOver();
};

extern TForm8* Form8;
