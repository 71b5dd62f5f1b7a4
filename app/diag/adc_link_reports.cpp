// What the ADC window shows of the link's reports: a link reset ends its
// read loop, and its lamps follow the button mode and the value stream.
#include "app/diag/adc_functions.h"

void TForm10::LinkReset() { CheckBox1->SetChecked(false); }

void TForm10::ButtonModeAnswered(int on) {
  if (on == 1) Panel1->SetColor(clGreen);
  if (on == 0) Panel1->SetColor(clBtnFace);
  Repaint();
}

void TForm10::ContinuousOutputStopped() { Panel2->SetColor(clBtnFace); }
