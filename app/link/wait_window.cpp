#include "app/link/wait_window.h"

#include "app/link/test_window.h"
#include "app/program/text_table.h"

TForm16* Form16 = nullptr;

TForm16::TForm16() {
  SubscribeToLink(this);
  SetName("Form16");
  SetCaption("Warten...");
  SetSize(178, 109);
  Position = TPosition::poMainFormCenter;
  Label2 = new TLabel(this, "Kalibrierung");
  Label2->SetName("Label2");
  Label2->SetBounds(24, 12, 130, 24);
  Label2->Font().SetColor(clPurple);
  Label2->Font().SetHeight(18);
  Label1 = new TLabel(this, "Bitte warten...");
  Label1->SetName("Label1");
  Label1->SetBounds(24, 44, 130, 16);
  Label1->Font().SetColor(clPurple);
}

void TForm16::ChangeLanguage() {
  const int lang = Form1 != nullptr ? Form1->Options.lang : 0;
  SetCaption(Text(453, lang));
  Label2->SetCaption(Text(454, lang));
  Label1->SetCaption(Text(455, lang));
}

void TForm16::WaitWindowShown() { Show(); }

void TForm16::WaitWindowClosed() { Close(); }
