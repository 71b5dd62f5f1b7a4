#include "app/diag/traffic_monitor.h"

#include "app/link/test_window.h"
#include "app/program/text_table.h"

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
  SetName("Form5");
  SetCaption("Serielle Daten (Binär / ASCII)");
  SetSize(640, 480);

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
