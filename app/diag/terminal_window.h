#pragma once
#include "platform/forms/forms.h"
#include "platform/serial/com_terminal.h"

// A character terminal on the device link's serial port: while it holds the
// port, the port stays open between telegrams so that free-running device
// output can be watched.
class TForm15 : public TForm {
 public:
  TForm15();

  TComTerminal* ComTerminal1;  // 98 x 40, white on black, no input
  TButton* Button2;            // "Konfiguration"
  TButton* Button3;            // "COM-Port schliessen": release the port
  TPanel* Panel1;              // port lamp: green while the terminal holds the port
  TButton* Button4;            // "COM-Port öffnen": take the port
  TButton* Button5;            // "Fensterinhalt löschen"
  TButton* Button1;            // "Beenden": release and close

  void FormActivate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Button4Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button5Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void ChangeLanguage();
};

extern TForm15* Form15;
