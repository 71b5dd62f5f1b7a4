#include "app/diag/terminal_window.h"

#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "platform/forms/control_placement.h"
#include "platform/serial/com_port.h"
#include "platform/serial/com_port_error.h"

TForm15* Form15 = nullptr;

namespace {

// The queue tick is off while the port and the keep-open flag change, so
// that no tick runs between the two; afterwards it runs as before (a
// running value stream keeps it off).
class QueuePause {
 public:
  explicit QueuePause(TForm1& link) : link_(link), ran_(link.Timer1->Enabled()) { link_.Timer1->SetEnabled(false); }
  ~QueuePause() { link_.Timer1->SetEnabled(ran_); }
  QueuePause(const QueuePause&) = delete;
  QueuePause& operator=(const QueuePause&) = delete;

 private:
  TForm1& link_;
  bool ran_;
};

TButton* NewButton(TForm* form, const char* name, const char* caption, int left, int top) {
  return PlaceControl<TButton>(form, name, left, top, 140, 26, caption);
}

}  // namespace

TForm15::TForm15() {
  SetName("Form15");
  SetCaption("Terminal-Fenster");
  SetSize(760, 600);
  ComTerminal1 = PlaceControl<TComTerminal>(this, "ComTerminal1", 8, 8, 736, 480);
  Button2 = NewButton(this, "Button2", "Konfiguration", 8, 500);
  Button3 = NewButton(this, "Button3", "COM-Port schliessen", 156, 500);
  Button3->SetEnabled(false);
  Panel1 = PlaceControl<TPanel>(this, "Panel1", 304, 503, 20, 20);
  Panel1->SetColor(clRed);
  Button4 = NewButton(this, "Button4", "COM-Port öffnen", 332, 500);
  Button5 = NewButton(this, "Button5", "Fensterinhalt löschen", 480, 500);
  Button1 = NewButton(this, "Button1", "ENDE", 604, 534);

  Button2->OnClick = Handler(this, &TForm15::Button2Click);
  Button3->OnClick = Handler(this, &TForm15::Button3Click);
  Button4->OnClick = Handler(this, &TForm15::Button4Click);
  Button5->OnClick = Handler(this, &TForm15::Button5Click);
  Button1->OnClick = Handler(this, &TForm15::Button1Click);
  OnActivate = Handler(this, &TForm15::FormActivate);
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

void TForm15::FormActivate(TObject* Sender) {
  if (Button4->Enabled()) Button4Click(Sender);
}

void TForm15::Button4Click(TObject* Sender) {
  TForm1& link = *Form1;
  {
    QueuePause pause(link);
    if (!link.ComPort1->Connected()) {
      try {
        link.ComPort1->Open();
      } catch (const EComPort& error) {
        MessageBox(error.what(), Text(447, link.Options.lang), MB_OK | MB_ICONERROR);
        return;  // the terminal stays released
      }
      link.SetPortState(true);
    }
    // Also when the port was open already (a transfer had just opened it):
    // the queue's idle tick must not close it under the terminal.
    link.KeepPortOpen = 1;
    ComTerminal1->SetComPort(link.ComPort1);
  }
  Button3->SetEnabled(true);
  Button4->SetEnabled(false);
  Panel1->SetColor(clGreen);
}

void TForm15::Button3Click(TObject* Sender) {
  TForm1& link = *Form1;
  {
    QueuePause pause(link);
    if (link.ComPort1->Connected()) {
      link.ComPort1->Close();
      link.SetPortState(false);
    }
    link.KeepPortOpen = 0;
    ComTerminal1->SetComPort(nullptr);
  }
  Button3->SetEnabled(false);
  Button4->SetEnabled(true);
  Panel1->SetColor(clRed);
}

void TForm15::Button2Click(TObject* Sender) { ComTerminal1->ShowSetupDialog(); }

void TForm15::Button5Click(TObject* Sender) { ComTerminal1->ClearScreen(); }

void TForm15::Button1Click(TObject* Sender) { Close(); }

void TForm15::FormClose(TObject* Sender, TCloseAction& Action) {
  // "Beenden" and the close box alike give the port back.
  if (Button3->Enabled()) Button3Click(Sender);
  ComTerminal1->SetComPort(nullptr);
}

void TForm15::ChangeLanguage() {
  const int lang = Form1 != nullptr ? Form1->Options.lang : 0;
  SetCaption(Text(447, lang));
  Button2->SetCaption(Text(448, lang));
  Button3->SetCaption(Text(449, lang));
  Button4->SetCaption(Text(450, lang));
  Button5->SetCaption(Text(451, lang));
  Button1->SetCaption(Text(452, lang));
}
