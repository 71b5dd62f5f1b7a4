#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/forms/forms.h"

// External calibration of one channel with real loads ("Externe Kalibrierung
// VD417"): unit, divisions and digit step, the zero point, the end point and
// up to six extra points, each measured and filed by the device; the typed
// values are checked against the weighing range that divisions and digit
// step give. Opened from the test window (all controls) and from the
// service window (expert controls hidden).
class TForm13 : public TForm {
 public:
  TForm13();

  TLabel* Label5;        // heading
  TComboBox* ComboBox3;  // "Maßeinheit"
  TComboBox* ComboBox4;  // "Skalenteile"
  TComboBox* ComboBox5;  // "Ziffernschritt"
  TLabel* Label17;       // "freie Teile"
  TEdit* Edit9;          // free number of divisions
  TLabel* Label16;       // "Wägebereich + 1d"
  TLabel* Label15;       // the weighing range plus one digit step
  TButton* Button10;     // "Übernehmen"
  TLabel* Label18;       // "ADC-Kanal"
  TComboBox* ComboBox1;  // the channel
  TButton* Button17;     // "Einstellen"
  TLabel* Label2;        // "Nullpunkt"
  TButton* Button7;      // "CAL. Nullpunkt"
  TLabel* Label9;        // "Endpunkt"
  TEdit* Edit1;          // end value
  TButton* Button8;      // "CAL. Endpunkt"
  TGroupBox* GroupBox1;  // extra points
  TLabel* Label1;        // "Zusatzpunkte"
  TLabel* Label3;        // "(max. 6)"
  TEdit* Edit3;          // number of extra points
  TLabel *Label4, *Label10, *Label11, *Label12, *Label13, *Label14;  // "Zusatzpunkt 1" ..
  TEdit *Edit2, *Edit4, *Edit5, *Edit6, *Edit7, *Edit8;               // values of the extra points
  TButton *Button4, *Button5, *Button6, *Button9, *Button11, *Button12;  // their "CAL."
  TButton* Button13;     // "Übernehmen + Reset"
  TLabel* Label19;       // "Theoretische"
  TLabel* Label20;       // "Kalibrierung"
  TButton* Button15;     // "START"
  TLabel* Label22;       // "Kalibrierung"
  TLabel* Label23;       // "löschen"
  TPanel* Panel1;
  TRadioButton* RadioButton1;  // "Kanal 1"
  TRadioButton* RadioButton2;  // "Kanal 2"
  TButton* Button16;     // "Kalibr. löschen"
  TButton* Button2;      // "cont. mode"
  TButton* Button14;     // "single mode"
  TGroupBox* GroupBox2;  // "DEBUG"
  TComboBox* ComboBox2;  // the debug byte
  TButton* Button3;      // sends the debug byte
  TLabel* Label21;       // the device reports an error
  TButton* Button1;      // "ENDE"

  // The weighing range of the last display: upper limit of end and extra-point values.
  float MaxEndValue = 0.0f;
  // 1 once an opening has read the settings from the device; a close clears it.
  int ExtCalSettingsRead = 0;

  void FormActivate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender) {}
  void Button10Click(TObject* Sender);
  void Button17Click(TObject* Sender);
  void Button7Click(TObject* Sender);
  void Button8Click(TObject* Sender);
  void Button4Click(TObject* Sender);
  void Button5Click(TObject* Sender);
  void Button6Click(TObject* Sender);
  void Button9Click(TObject* Sender);
  void Button11Click(TObject* Sender);
  void Button12Click(TObject* Sender);
  void Edit3Change(TObject* Sender);
  void Button13Click(TObject* Sender);
  void Button16Click(TObject* Sender);
  void Button15Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button14Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void ComboBox3Change(TObject* Sender);
  void ComboBox4Change(TObject* Sender);
  void ComboBox5Change(TObject* Sender);
  void Edit9Change(TObject* Sender);

 private:
  static constexpr int kExtraPoints = 6;
  struct ExtraPointRow {
    TLabel* label;
    TEdit* edit;
    TButton* button;
  };

  void Layout();
  void ShowWeighingRange();
  void HideExtraPoints();
  // Reads unit, divisions and digit step from the device into the lists;
  // after a failed read the lists are empty, and without a range from the
  // device the end and extra points are disabled.
  void ReadSettings();
  // The weighing range shown as not known, here and on the theoretical calibration.
  void ForgetWeighingRange();
  // The number of divisions: the free number, or the one of the chosen list item.
  int32_t Divisions() const;
  // The channel on the theoretical calibration window.
  static void ShowChannel(int channel);
  // Checks a typed value against the weighing range and sends it with
  // `command`; false when it was refused.
  bool SendValue(uint8_t command, TEdit* edit, const std::string& text);
  void CalibrateExtraPoint(int row);

  std::array<ExtraPointRow, kExtraPoints> rows_{};
};

extern TForm13* Form13;
