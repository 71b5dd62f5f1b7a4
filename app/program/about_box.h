#pragma once
#include "platform/forms/forms.h"

// The About box with the program's version. F10 on its OK button switches
// the supervisor mode on and off.
class TAboutBox : public TForm {
 public:
  TAboutBox();

  TPanel* Panel1;
  TImage* ProgramIcon;
  TLabel* ProductName;
  TLabel* Version;
  TLabel* Version2;  // the build date
  TLabel* Comments;  // a fixed line describing the program
  TLabel* Label1;    // "Supervisor-Mode", shown while the mode is on
  TLabel* Label4;    // "DLL-Version"
  TLabel* Label5;    // a fixed line
  TLabel* Label6;    // "JRV-Version"
  TLabel* Label2;    // "DEBUG-Build"
  TLabel* Label3;    // "TEST-Build"
  TButton* OKButton;

  void FormActivate(TObject* Sender);
  void OKButtonKeyDown(TObject* Sender, int& Key, TShiftState Shift);
};

extern TAboutBox* AboutBox;
