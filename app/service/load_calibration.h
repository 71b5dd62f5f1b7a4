#pragma once
#include "platform/forms/forms.h"

// Calibration of a channel with load ("Kalibrierung mit Last"): the zero
// point with no load, the end point with a known load, the multipoint
// calibration, and the restart that makes the device take the new
// calibration.
class TForm22 : public TForm {
 public:
  TForm22();

  TGroupBox* GroupBox1;  // frame of the steps: "Kalibrierung Kanal 1" / "Kanal 2"
  TLabel* Label1;        // "Null-Last aufbringen"
  TLabel* Label2;        // "Null-Last speichern"
  TButton* Button3;      // zero step "OK"
  TLabel* Label5;        // state of the zero step
  TLabel* Label3;        // "Last aufbringen"
  TLabel* Label7;        // "Messwert zuordnen"
  TEdit* Edit1;          // the value that the load shall show
  TLabel* Label8;        // its unit
  TLabel* Label9;        // "(max. %d)"
  TLabel* Label4;        // "Last speichern"
  TButton* Button4;      // end step "OK"
  TLabel* Label6;        // state of the end step
  TLabel* Label10;       // "Brückenfehler!" (hidden)
  TButton* Button1;      // "Beenden"
  TButton* Button2;      // "Abbrechen"
  TButton* Button5;      // "Mehrpunktkalibrierung" (hidden)

  void FormActivate(TObject* Sender);
  // Zero step: the device stores its zero point.
  void Button3Click(TObject* Sender);
  // End step: the device stores the typed value as its end point.
  void Button4Click(TObject* Sender);
  // "Beenden": the device restarts and the service window reads the calibration back.
  void Button1Click(TObject* Sender);
  // "Abbrechen": closes the dialog; the device restarts when a set-up is present.
  void Button2Click(TObject* Sender);
  // "Mehrpunktkalibrierung": the multipoint calibration dialog.
  void Button5Click(TObject* Sender);
  void ChangeLanguage();
  // The frame's caption, a row of the text table ("Kalibrierung Kanal 1"),
  // and the two steps' states emptied: the dialog opened for a channel.
  void ShowChannel(int captionRow);

 private:
  // Shows a step's state: "gespeichert" when the device took it, "FEHLER!" otherwise.
  void ShowStepResult(TLabel* state, bool stored);
  // A step's state as a row of the text table, kept for the language switch.
  void ShowState(TLabel* state, int row);

  int channelRow_ = -1;  // the frame's caption row; -1 until a channel was opened
  int zeroStateRow_ = -1;  // Label5's row; -1 while it is empty
  int endStateRow_ = -1;   // Label6's row
};

extern TForm22* Form22;
