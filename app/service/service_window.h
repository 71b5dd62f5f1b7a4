#pragma once
#include "platform/forms/forms.h"

// The service window: the program's main window.
class TForm21 : public TForm {
 public:
  TForm21();

  // Controls that the device link and the set-up display write.
  TMainMenu* MainMenu1;
  TMenuItem* Parameter1;
  TMenuItem* ParameterExb11;  // "Digitale Eingänge + Inkrementalgeber"
  TMenuItem* ParameterExb12;  // "Relais 1/2"
  TMenuItem* Extras1;
  TMenuItem* Profibus1;      // "Profibus aktiv"
  TMenuItem* SetupRestore1;  // "Setup -> Restore"
  TMenuItem* Admin1;
  TMenuItem* SetupRO;    // "Setup geschützt"
  TGroupBox* GroupBox3;  // "Gerätedaten"
  TLabel* Label14;       // status line of the device data
  TLabel* Label12;       // "FEHLER"
  TLabel* Label18;       // overload / underload
  TLabel* Label22;       // load-cell error
  TPanel* Panel2;        // activity: toggles its colour at every send
  TButton* Button1;      // "Verbinden" / "Trennen"
  TProgressBar* ProgressBar1;
  TStatusBar* StatusBar1;  // "RS232", "Status", "Setup", "Mode", "RS232-Daten"

  // "Verbinden"/"Trennen": while connected, disconnects (the link calls it
  // for that, also without a sender).
  void Button1Click(TObject* Sender);
};

// 1 while the service window is connected to a device.
extern int ServiceConnected;

extern TForm21* Form21;
