#pragma once
#include <string>

#include "platform/forms/forms.h"

// Entry of the access password for the factory functions. Shown non-modally;
// the caller pumps messages until Closed is 1 and then reads Granted.
class TForm17 : public TForm {
 public:
  TForm17();

  TButton* Button1;  // "Abbrechen"
  TButton* Button2;  // "OK"
  TEdit* Edit1;      // the password, shown as "*"

  int Closed = 0;   // 1 when the dialog has finished
  int Granted = 0;  // 1: the right password was entered
  std::string EnteredText;

  void FormActivate(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  // Every way of closing the window that has not decided counts as "Abbrechen".
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ChangeLanguage();
};

extern TForm17* Form17;
