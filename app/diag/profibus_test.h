#pragma once
// The Profibus test panel: initialisation, DIP-switch address, diagnosis
// request, SPC3 on/offline and the slave state, each one CMD_PROFIBUS request.
#include "app/link/link_events.h"
#include "platform/forms/forms.h"

class TForm14 : public TForm, public LinkListener {
 public:
  TForm14();

  // The slave state that the test window read: its radio button marked, none when -1.
  void ProfibusStateReported(int state) override;

  TButton* Button2;  // "Init PB"
  TButton* Button3;  // "Adr.-DIP-Schalter"
  TLabel* Label4;
  TLabel* Label3;  // the DIP-switch address
  TLabel* Label1;
  TEdit* Edit1;  // diagnosis parameter 1
  TLabel* Label5;
  TEdit* Edit2;  // diagnosis parameter 2
  TButton* Button4;  // "Diag PB"
  TLabel* Label2;
  TButton* Button5;  // "Status"
  TRadioGroup* RadioGroup1;
  TRadioButton *RadioButton1, *RadioButton2, *RadioButton3, *RadioButton4;  // slave state, display only
  TButton* Button6;  // "SPC3 OFFLINE"
  TButton* Button8;  // "SPC3 ONLINE"
  TButton* Button7;  // "SPC3 LEAVE MASTER"
  TButton* Button1;  // "ENDE"

  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button4Click(TObject* Sender);
  void Button5Click(TObject* Sender);
  void Button6Click(TObject* Sender);
  void Button7Click(TObject* Sender);
  void Button8Click(TObject* Sender);
};

extern TForm14* Form14;
