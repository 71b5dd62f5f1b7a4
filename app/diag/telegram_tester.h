#pragma once
#include "platform/forms/forms.h"

// Sends one hand-typed telegram straight to the serial port, outside the
// request queue, with its checksum and ETX, and shows the reply in hex.
// German only.
class TForm4 : public TForm {
 public:
  TForm4();

  TGroupBox* GroupBox2;  // "Telegramm   PC -> VD417"
  TLabel* Label2;        // "Sendestring  VD417 -> PC (OHNE CSum):"
  TEdit* Edit7;          // the line: hex values separated by "#"
  TButton* Button5;      // "Senden"
  TListBox* ListBox1;    // the lines sent, newest last
  TButton* Button6;      // "Copy"
  TButton* Button3;      // "Clear" of the history
  TLabel* Label1;        // "Antwort  VD417 -> PC:"
  TEdit* Edit8;          // the reply in hex
  TButton* Clear;        // "Clear" of the reply
  TButton* Button1;      // "ENDE"

  void Button5Click(TObject* Sender);
  void Button6Click(TObject* Sender);
  void ListBox1SelectLine(TObject* Sender);
  void Button3Click(TObject* Sender);
  void ClearClick(TObject* Sender);
  void Edit7SelectAll(TObject* Sender);
  void Button1Click(TObject* Sender);
};

extern TForm4* Form4;
