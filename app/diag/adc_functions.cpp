#include "app/diag/adc_functions.h"

TForm10* Form10 = nullptr;

TForm10::TForm10() {
  SetName("Form10");
  SetCaption("ADC (CS5532)-Funktionen");
  SetSize(640, 480);
  CheckBox1 = new TCheckBox(this, "Schleife [ms]");
  CheckBox1->SetName("CheckBox1");
  CheckBox1->SetBounds(8, 8, 120, 20);
  Panel1 = new TPanel(this);
  Panel1->SetName("Panel1");
  Panel1->SetBounds(140, 8, 24, 20);
  Panel2 = new TPanel(this);
  Panel2->SetName("Panel2");
  Panel2->SetBounds(172, 8, 24, 20);
}
