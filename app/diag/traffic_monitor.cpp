#include "app/diag/traffic_monitor.h"

#include "app/diag/terminal_window.h"
#include "app/link/link_protocol.h"
#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "platform/serial/com_port.h"

TForm5* Form5 = nullptr;

namespace {

TButton* NewButton(TForm5* form, const char* name, const char* caption, int left) {
  auto* button = new TButton(form, caption);
  button->SetName(name);
  button->SetBounds(left, 424, 100, 28);
  return button;
}

}  // namespace

TForm5::TForm5() {
  SubscribeToLink(this);
  SetName("Form5");
  SetCaption("Serielle Daten (Binär / ASCII)");
  SetSize(640, 500);

  GroupBox1 = new TGroupBox(this, "PC -> Gerät");
  GroupBox1->SetName("GroupBox1");
  GroupBox1->SetBounds(8, 8, 620, 200);
  Memo1 = new TMemo(GroupBox1);
  Memo1->SetName("Memo1");
  Memo1->SetBounds(8, 20, 600, 80);
  Memo2 = new TMemo(GroupBox1);
  Memo2->SetName("Memo2");
  Memo2->SetBounds(8, 108, 600, 80);

  GroupBox2 = new TGroupBox(this, "Gerät -> PC");
  GroupBox2->SetName("GroupBox2");
  GroupBox2->SetBounds(8, 216, 620, 200);
  Memo3 = new TMemo(GroupBox2);
  Memo3->SetName("Memo3");
  Memo3->SetBounds(8, 20, 600, 80);
  Memo4 = new TMemo(GroupBox2);
  Memo4->SetName("Memo4");
  Memo4->SetBounds(8, 108, 600, 80);

  Panel1 = new TPanel(this);
  Panel1->SetName("Panel1");
  Panel1->SetBounds(8, 430, 24, 16);
  Panel1->SetVisible(false);

  Button1 = NewButton(this, "Button1", "Daten löschen", 40);
  Button3 = NewButton(this, "Button3", "Error-Codes", 150);
  Button4 = NewButton(this, "Button4", "Connect", 150);
  Button5 = NewButton(this, "Button5", "Disconnect", 150);
  for (TButton* hidden : {Button3, Button4, Button5}) hidden->SetVisible(false);
  Button6 = NewButton(this, "Button6", "Terminal", 260);
  Button2 = NewButton(this, "Button2", "Beenden", 520);
  for (TMemo* memo : {Memo1, Memo2, Memo3, Memo4}) memo->SetReadOnly(true);
  for (TMemo* memo : {Memo1, Memo3}) memo->Font().SetColor(clNavy);
  for (TMemo* memo : {Memo2, Memo4}) memo->Font().SetColor(clRed);

  Button1->OnClick = Handler(this, &TForm5::Button1Click);
  Button2->OnClick = Handler(this, &TForm5::Button2Click);
  Button3->OnClick = Handler(this, &TForm5::Button3Click);
  Button4->OnClick = Handler(this, &TForm5::Button4Click);
  Button5->OnClick = Handler(this, &TForm5::Button5Click);
  Button6->OnClick = Handler(this, &TForm5::Button6Click);
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

void TForm5::Button1Click(TObject* Sender) {
  for (TMemo* memo : {Memo1, Memo2, Memo3, Memo4}) memo->Clear();
  if (Form1 != nullptr && Form1->ComPort1->Connected()) Form1->ComPort1->ClearBuffer(true, true);
}

void TForm5::Button6Click(TObject* Sender) {
  if (Form15 != nullptr) Form15->Show();
}

void TForm5::Button2Click(TObject* Sender) {
  if (Form1 != nullptr) {
    Form1->RS232Fenster1->SetChecked(false);
    Form1->RS232Daten1->SetChecked(true);
  }
  Close();
}

void TForm5::FormClose(TObject* Sender, TCloseAction& Action) {
  // Closed while the link still writes the boxes: it stops, as after "Beenden".
  if (Form1 == nullptr || !Form1->RS232Fenster1->Checked()) return;
  Form1->RS232Fenster1->SetChecked(false);
  Form1->RS232Daten1->SetChecked(true);
}

void TForm5::Button3Click(TObject* Sender) {
  if (Form1 != nullptr) Form1->QueueRequest(Form1->DeviceAddress, CMD_ERROR_CODES, nullptr, 0, 0, 1);
}

void TForm5::Button4Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  TComPort& port = *Form1->ComPort1;
  if (port.Connected()) port.Close();
  try {
    port.Open();
  } catch (const std::exception& e) {
    MessageBox(e.what(), Text(ROW_TITLE_ERROR, Form1->Options.lang), MB_OK | MB_ICONERROR);
    ShowPortState(false);
    return;
  }
  ShowPortState(true);
}

void TForm5::Button5Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  if (Form1->ComPort1->Connected()) Form1->ComPort1->Close();
  ShowPortState(false);
}

void TForm5::ShowPortState(bool open) {
  const TColor colour = open ? clGreen : clRed;
  Form1->Label19->SetCaption(open ? "Open" : "Close");
  Form1->Label19->SetColor(colour);
  Panel1->SetColor(colour);
}

void TForm5::ChangeLanguage() {
  const int lang = Form1 != nullptr ? Form1->Options.lang : 0;
  SetCaption(Text(392, lang));
  GroupBox1->SetCaption(Text(393, lang));
  GroupBox2->SetCaption(Text(394, lang));
  Button1->SetCaption(Text(395, lang));
  Button3->SetCaption(Text(396, lang));
  Button4->SetCaption(Text(397, lang));
  Button5->SetCaption(Text(398, lang));
  Button6->SetCaption(Text(399, lang));
  Button2->SetCaption(Text(400, lang));
}

void TForm5::PortStateChanged(bool open) { Panel1->SetColor(open ? clGreen : clRed); }

void TForm5::ExchangeStarted() {
  Memo3->Clear();
  Memo4->Clear();
}

void TForm5::FrameSent(const std::string& hex, const std::string& chars) {
  Memo1->SetText(hex);
  Memo2->SetText(chars);
}

void TForm5::FrameReceived(const std::string& hex, const std::string& chars) {
  Memo3->SetText(hex);
  Memo4->SetText(chars);
}
