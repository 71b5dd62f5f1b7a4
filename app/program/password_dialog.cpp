#include "app/program/password_dialog.h"

#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "platform/forms/control_placement.h"

TForm17* Form17 = nullptr;

namespace {

// The access password: three upper-case letters, compared case-sensitively.
constexpr const char* AccessPassword = "ZQX";

int Lang() { return Form1 != nullptr ? Form1->Options.lang : 0; }

}  // namespace

TForm17::TForm17() {
  SetName("Form17");
  SetCaption("Passwort-Eingabe");
  SetSize(280, 140);
  Position = TPosition::poScreenCenter;
  Edit1 = PlaceControl<TEdit>(this, "Edit1", 40, 20, 200, 22);
  Edit1->SetPasswordChar('*');
  Button2 = PlaceControl<TButton>(this, "Button2", 40, 64, 90, 28, "OK");
  Button2->SetDefault(true);
  Button2->OnClick = Handler(this, &TForm17::Button2Click);
  Button1 = PlaceControl<TButton>(this, "Button1", 150, 64, 90, 28, "Abbrechen");
  Button1->OnClick = Handler(this, &TForm17::Button1Click);
  OnActivate = Handler(this, &TForm17::FormActivate);
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

void TForm17::FormActivate(TObject* Sender) {
  // An activation that arrives after the dialog has already finished changes nothing.
  if (!Visible()) return;
  EnteredText.clear();
  Closed = 0;
  Edit1->Clear();
  Edit1->SetFocus();
}

void TForm17::Button2Click(TObject* Sender) {
  EnteredText = Edit1->Text();
  if (EnteredText == AccessPassword) {
    Granted = 1;
    Closed = 1;
    Close();
    return;
  }
  MessageBoxUntilOk(Text(456, Lang()), Text(ROW_TITLE_HINT, Lang()), MB_ICONSTOP);
  Edit1->Clear();
  Edit1->SetFocus();
  Granted = 0;
}

void TForm17::Button1Click(TObject* Sender) {
  Granted = 0;
  Closed = 1;
  Close();
}

void TForm17::FormClose(TObject* Sender, TCloseAction& Action) {
  if (Closed != 0) return;
  Granted = 0;
  Closed = 1;
}

void TForm17::ChangeLanguage() {
  SetCaption(Text(457, Lang()));
  Button1->SetCaption(Text(458, Lang()));
  Button2->SetCaption(Text(459, Lang()));
}
