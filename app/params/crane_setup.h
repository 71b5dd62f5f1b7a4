#pragma once
#include <array>

#include "platform/forms/chart.h"
#include "platform/forms/forms.h"

// Set-up of crane scales, LMB-F devices and force indicators. Of its design
// only a part works: deleting extra calibration points, saving the set-up to
// a file, the default set-up, the range display, a few enable rules and the
// protocol print. Nothing opens this window; its texts are German.
class TForm30 : public TForm {
 public:
  TForm30();

  // ---- Top
  TLabel* Label50;  // "Geräte - Typ"
  TComboBox* ComboBox2;  // device type (hidden)
  TLabel* Label49;  // "ADC-Wert"
  TLabel* Label42;
  TLabel* Label52;
  TLabel* Label66;  // "Bitte warten...", blinks during long operations
  TLabel* Label39;  // "FEHLER" (hidden)
  TLabel* Label40;  // "LowBAT" (hidden)
  TPanel* Panel1;
  TChart* Chart1;   // "Kalibrierwerte", not fed
  TButton* Diagramm;
  TTimer* Timer1;   // the blink of Label66

  // ---- Buttons
  TButton* Button1;   // "Beenden"
  TButton* Button2;   // "Setup aus Gerät lesen"
  TButton* Button3;   // "Setup in Gerät schreiben"
  TButton* Button4;   // "Setup in Datei speichern"
  TButton* Button5;   // "Default-Setup -> DOVE" (hidden)
  TButton* Button23;  // "Protokoll"

  // ---- Calibration
  TPanel* Panel2;
  TButton* Button7;  // zero load "OK"
  TLabel* Label54;
  TLabel* Label62;   // number of extra points
  TLabel* Label60;   // "->MAX!" (hidden)
  TEdit* Edit35;     // extra point value
  TLabel* Label65;
  TButton* Button9;  // load "OK"
  TLabel* Label64;
  TButton* Button6;   // "Alle Zusatzpunkte löschen"
  TButton* Button11;  // "Letzten Zusatzpunkt löschen"
  TEdit* Edit34;      // end value
  TLabel* Label58;
  TButton* Button8;  // end load "OK"
  TLabel* Label56;

  // ---- Unit and limits
  TPanel* Panel3;
  TRadioButton* RadioButton1;  // "kg"
  TRadioButton* RadioButton2;  // "t"
  TEdit* Edit31;
  TEdit* Edit18;  // underload
  TEdit* Edit19;  // overload
  TRadioButton* RadioButton3;  // power-on zero "Aus"
  TRadioButton* RadioButton4;  // power-on zero "Ein"
  TEdit* Edit22;
  TEdit* Edit23;  // power-on zero min
  TEdit* Edit24;  // power-on zero max

  // ---- Characteristic
  TPanel* Panel4;
  TEdit* Edit5;  // number of calibration points
  std::array<TEdit*, 8> PointAdc;      // xs[0..7]: Edit1, Edit3, Edit6, Edit8, ... Edit16
  std::array<TEdit*, 8> PointPercent;  // ys[0..7]: Edit2, Edit4, Edit7, Edit9, ... Edit17
  std::array<TEdit*, 8> PointDiff;     // Edit36 .. Edit43
  std::array<TButton*, 8> PointSet;    // "S": Button14 .. Button21
  std::array<TButton*, 8> PointLoad;   // "L": Button26 .. Button33
  TButton* Button13;  // "Linearisierung"
  TButton* Button22;  // "Lin. Rücksetzen"
  TButton* Button24;  // "Setzen"
  TButton* Button25;  // "Rücksetzen"
  TButton* Button12;  // "KF-Set" (hidden)
  TCheckBox* CheckBox2;

  // ---- Scaling and options
  TPanel* Panel5;
  TEdit* Edit20;         // divisions
  TComboBox* ComboBox1;  // digit step
  TEdit* Edit21;         // the digit step
  TLabel* Label41;       // the range
  TRadioButton* RadioButton5;  // automatic switch-off "Aus"
  TRadioButton* RadioButton6;  // automatic switch-off "Ein"
  TEdit* Edit25;
  TEdit* Edit26;  // switch-off time
  TCheckBox* CheckBox1;  // radio on/off
  TEdit* Edit28;         // radio address
  TComboBox* ComboBox3;  // radio mode
  TEdit* Edit27;
  TEdit* Edit29;
  TEdit* Edit30;
  TButton* Button10;  // "Set"

  // The number of calibration points that Edit5 held when it was entered.
  int CalibrationPointsEntered = 0;

  void Button6Click(TObject* Sender);
  void Button11Click(TObject* Sender);
  void Button4Click(TObject* Sender);
  void Button5Click(TObject* Sender);
  void Button23Click(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void Edit20Change(TObject* Sender);
  void ComboBox1Change(TObject* Sender);
  void CheckBox1Click(TObject* Sender);
  void RadioButton5Click(TObject* Sender);
  void RadioButton6Click(TObject* Sender);
  void Edit5Enter(TObject* Sender);

 private:
  void BuildTop();
  void BuildCalibration();
  void BuildLimits();
  void BuildCharacteristic();
  void BuildScaling();

  // Asks, then deletes the last (all = false) or every extra point of
  // channel 1 and reads the calibration back.
  void DeleteExtraPoints(bool all);
  // Re-reads the ADC section; the image keeps its section unless the whole read succeeded.
  void ReadAdcSection();
  // Label66 blinks from StartWaiting until StopWaiting.
  void StartWaiting();
  void StopWaiting();
  void ShowRange();
};

extern TForm30* Form30;
