#include "app/diag/traffic_monitor.h"

TForm5* Form5 = nullptr;

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
  Panel1->SetBounds(8, 424, 24, 16);
  Panel1->SetVisible(false);
}
