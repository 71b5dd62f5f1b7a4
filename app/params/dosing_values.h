#pragma once
#include "platform/forms/forms.h"

// The running values of a dosing (belt) scale: one chosen value of one
// channel read over and over while the reading is switched on. Its texts
// are German in both languages; no menu entry that shows it is visible.
class TForm29 : public TForm {
 public:
  TForm29();

  TGroupBox* GroupBox1;  // "Dosierwaage (BW)"
  TLabel* Label1;        // "Messwerte"
  TRadioButton* RadioButton24;  // "Kanal 1"
  TRadioButton* RadioButton25;  // "Kanal 2"
  TRadioButton* RadioButton28;  // "aktueller Flow", value 0
  TRadioButton* RadioButton26;  // "Flow / min", value 1
  TRadioButton* RadioButton27;  // "Gesamtsumme", value 2
  TRadioButton* RadioButton29;  // "Entnahmesumme", value 3
  TLabel* Label51;  // current flow
  TLabel* Label55;  // flow per minute
  TLabel* Label53;  // total
  TLabel* Label57;  // withdrawal
  TButton* Button86;  // "START - Lesen" / "STOP - Lesen"
  TButton* Button1;   // "Beenden"

  // 1 while the reading is switched on.
  int DosingReadActive = 0;

  void Button86Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  // Reads while DosingReadActive is 1; the link's waits let the stop click through.
  void RunReadLoop();
  // One request and its display; false when it got no valid answer.
  bool ReadSelectedValue();

 private:
  // The value button that is checked and its label; -1 and nullptr when none.
  int ChosenValue() const;
  TLabel* ValueLabel(int value) const;
  void SwitchOff();
};

extern TForm29* Form29;
