#pragma once
#include "platform/forms/forms.h"

// Internal two-point ADC calibration of a channel ("Kalibrierung VD417"):
// channel and calibration set are applied, then the device measures and
// stores the zero and the end point itself. A guarded switch puts the device
// into factory-calibration mode; closing the window always switches it back.
class TForm6 : public TForm {
 public:
  TForm6();

  TLabel* Label1;        // heading
  TGroupBox* GroupBox1;  // calibration settings
  TLabel* Label2;        // "Kanal"
  TComboBox* ComboBox3;  // the channel
  TLabel* Label3;        // "Kalibriersatz"
  TComboBox* ComboBox1;  // the calibration set
  TLabel* Label4;        // "Wandlungsrate"
  TComboBox* ComboBox2;  // the conversion rate (always "25")
  TButton* Button6;      // "Übernehmen"
  TButton* Button2;      // "CAL. Nullpunkt"
  TButton* Button3;      // "CAL. Endpunkt"
  TButton* Button5;      // "Werkskalibrierung EIN" / "AUS"
  TLabel* Label5;        // "Achtung - Werkskalibrierung!"
  TButton* Button8;      // "CONT. Mode"
  TButton* Button1;      // "ENDE"

  // 1 once an opening has read the settings from the device; a close clears it.
  int IntCalSettingsRead = 0;
  // 1 while this window has the device in factory-calibration mode.
  int FactoryCalibrationOn = 0;

  void ActivateWindow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormCreate(TObject* Sender) {}
  void Button6Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  // The factory-calibration switch; the production check panel calls it too.
  void Button5Click(TObject* Sender);
  void Button8Click(TObject* Sender);
  void Button1Click(TObject* Sender);

 private:
  void ShowFactoryCalibration(bool on);
};

extern TForm6* Form6;
