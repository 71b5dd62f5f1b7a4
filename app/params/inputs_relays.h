#pragma once
#include "platform/forms/forms.h"

// The extension board's set-up section: the four opto inputs and their
// functions, the incremental encoder and the two relays, edited on the
// set-up image of the link. Pages: 0 "Digitale Eingänge", 1 "Relais 1/2".
class TForm24 : public TForm {
 public:
  TForm24();

  TPageControl* PageControl1;
  TTabSheet* TabSheet1;  // "Digitale Eingänge"
  TTabSheet* TabSheet2;  // "Relais 1/2"

  // ---- Opto inputs.
  TGroupBox* GroupBox22;  // "Optoeingänge"
  TCheckBox* CheckBox14;  // inp_active
  TLabel* Label55;        // "Optoeingänge aktiv"
  TCheckBox* CheckBox15;  // inp_neg
  TLabel* Label56;        // "Negiert"
  TLabel* Label195;       // "Optoeingang 1"
  TCheckBox* CheckBox29;  // inp_log "Start/Stop Logspeicher"
  TLabel* Label194;       // "Optoeingang 2"
  TCheckBox* CheckBox28;  // inp_chsel "Kanalauswahl für Nullung/Tarierung"
  TLabel* Label193;       // "Optoeingang 3"
  TCheckBox* CheckBox27;  // inp_zero "Nullung"
  TLabel* Label192;       // "Optoeingang 4"
  TCheckBox* CheckBox26;  // inp_tare "Tarierung"
  TCheckBox* CheckBox1;   // dosing function (hidden)
  TLabel* Label1;         // "Funktion Dosierwaage" (hidden)
  // ---- Incremental encoder.
  TGroupBox* GroupBox31;  // "Inkrementalgeber"
  TLabel* Label57;        // "Inkrementalgeber"
  TLabel* Label145;       // "aktiv"
  TCheckBox* CheckBox16;  // inp_incr
  TLabel* Label58;        // "Impulse/Umdrehung"
  TEdit* Edit36;          // inp_val
  TLabel* Label167;       // "Weg/Umdrehung"
  TEdit* Edit37;          // inp_val_imp

  // ---- Relays: one group each, the same controls in the same roles.
  struct RelayGroup {
    TCheckBox* active;           // "Relais aktiv"
    TRadioButton* polarityOff;   // "abfallend (passiv)": neg 1
    TRadioButton* polarityOn;    // "anziehend (aktiv)": neg 0
    TRadioButton* setPoint;      // "Schalten bei": "Schaltpunkt"
    TRadioButton* standstill;    // "Stillstand"
    TRadioButton* error;         // "Fehler"
    TRadioButton* loadCellError; // "Brückenfehler"
    TComboBox* type;             // "Schaltpunkt-Typ"
    TComboBox* channel;          // "Schaltpunkt-Kanal"
    TEdit* switchPoint;          // "Schaltpunkt [%]"
    TEdit* hysteresis;           // "Hysterese [%]"
    TComboBox* hysteresisMode;   // "Hysteresemode"
    TEdit* onTime;               // "Einschaltzeit" [ms]
    TEdit* delay;                // "Einschaltverzögerung" [ms]
  };
  TGroupBox* GroupBox28;  // "Relais 1"
  TCheckBox* CheckBox17;
  TRadioButton* RadioButton1;   // "abfallend (passiv)"
  TRadioButton* RadioButton2;   // "anziehend (aktiv)"
  TRadioButton* RadioButton7;   // "Schaltpunkt"
  TRadioButton* RadioButton3;   // "Stillstand"
  TRadioButton* RadioButton4;   // "Fehler"
  TRadioButton* RadioButton11;  // "Brückenfehler"
  TComboBox* ComboBox76;        // type
  TComboBox* ComboBox77;        // channel
  TEdit* Edit38;                // switch point
  TEdit* Edit39;                // hysteresis
  TComboBox* ComboBox78;        // hysteresis mode
  TEdit* Edit131;               // on-time
  TEdit* Edit132;               // on-delay
  TLabel* Label168;  // "Relais aktiv"
  TLabel* Label172;  // "Schalten bei"
  TLabel* Label171;  // "Schaltpunkt-Kanal"
  TLabel* Label170;  // "Schaltpunkt-Typ"
  TLabel* Label173;  // "Schaltpunkt [%]"
  TLabel* Label174;  // "Hysterese [%]"
  TLabel* Label175;  // "Hysteresemode"
  TLabel* Label244;  // "Einschaltzeit"
  TLabel* Label246;  // "50..5000 ms"
  TLabel* Label245;  // "Einschaltverzögerung"
  TLabel* Label247;  // "50..5000 ms"

  TGroupBox* GroupBox29;  // "Relais 2"
  TCheckBox* CheckBox19;
  TRadioButton* RadioButton9;   // "abfallend (passiv)"
  TRadioButton* RadioButton10;  // "anziehend (aktiv)"
  TRadioButton* RadioButton8;   // "Schaltpunkt"
  TRadioButton* RadioButton5;   // "Stillstand"
  TRadioButton* RadioButton6;   // "Fehler"
  TRadioButton* RadioButton12;  // "Brückenfehler"
  TComboBox* ComboBox79;        // type
  TComboBox* ComboBox80;        // channel
  TEdit* Edit40;                // switch point
  TEdit* Edit81;                // hysteresis
  TComboBox* ComboBox81;        // hysteresis mode
  TEdit* Edit133;               // on-time
  TEdit* Edit134;               // on-delay
  TLabel* Label176;  // "Relais aktiv"
  TLabel* Label180;  // "Schalten bei"
  TLabel* Label179;  // "Schaltpunkt-Kanal"
  TLabel* Label178;  // "Schaltpunkt-Typ"
  TLabel* Label181;  // "Schaltpunkt [%]"
  TLabel* Label182;  // "Hysterese [%]"
  TLabel* Label183;  // "Hysteresemode"
  TLabel* Label250;  // "Einschaltzeit"
  TLabel* Label252;  // "50..5000 ms"
  TLabel* Label251;  // "Einschaltverzögerung"
  TLabel* Label253;  // "50..5000 ms"

  TButton* Button1;  // "Beenden"
  TButton* Button2;  // "Abbrechen"
  TButton* Button3;  // "Speichern im Gerät"
  TLabel* Label65;   // "Bitte warten...", shown during a store

  // Fills every control from the image's extension-board section.
  void ShowSetup();
  // The enable rules: relay 1 or 2; group 0 opto inputs, 1 encoder.
  void UpdateRelayControls(int relay);
  void UpdateInputControls(int group);
  // The relays' on-time and on-delay fields exist from board firmware 1.4
  // on; without them the fields hold "0".
  void ShowRelayTimes(bool shown);

  void FormActivate(TObject* Sender);
  void Button1Click(TObject* Sender);  // "Beenden"
  void Button2Click(TObject* Sender);  // "Abbrechen"
  void Button3Click(TObject* Sender);  // "Speichern im Gerät"
  void CheckBox14Click(TObject* Sender);
  void CheckBox16Click(TObject* Sender);
  void CheckBox28Click(TObject* Sender);
  void CheckBox1Click(TObject* Sender);
  // The switching-condition, channel and hysteresis controls of a relay.
  void Relay1Change(TObject* Sender);
  void Relay2Change(TObject* Sender);
  // The on-time and on-delay fields, held to 50 .. 5000 ms when left.
  void TimeEditExit(TObject* Sender);
  // "Impulse/Umdrehung", held to its 16-bit field when left.
  void Edit36Exit(TObject* Sender);

  void ChangeLanguage();

 private:
  RelayGroup Relay(int relay);
  void BuildInputsPage();
  void BuildRelayGroup(int relay);
  void BuildButtons();
  void ShowRelay(int relay);
  void TakeRelay(int relay);
};

extern TForm24* Form24;
