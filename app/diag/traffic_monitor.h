#pragma once
#include "platform/forms/forms.h"

// Monitor of the serial traffic, binary and ASCII.
class TForm5 : public TForm {
 public:
  TForm5();

  TGroupBox* GroupBox1;  // "PC -> Gerät"
  TMemo* Memo1;          // hex line of the last request
  TMemo* Memo2;          // its characters
  TGroupBox* GroupBox2;  // "Gerät -> PC"
  TMemo* Memo3;          // hex line of the last reply or stream frame
  TMemo* Memo4;          // its characters
  TPanel* Panel1;        // port state: green open, red closed
  TButton* Button1;      // "Daten löschen"
  TButton* Button3;      // "Error-Codes", hidden
  TButton* Button4;      // "Connect", hidden
  TButton* Button5;      // "Disconnect", hidden
  TButton* Button6;      // "Terminal"
  TButton* Button2;      // "Beenden"

  void ChangeLanguage();
};

extern TForm5* Form5;
