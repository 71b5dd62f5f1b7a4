#include "app/diag/adc_functions.h"

TForm10* Form10 = nullptr;

TForm10::TForm10() {
  SetName("Form10");
  SetCaption("ADC (CS5532)-Funktionen");
  SetSize(640, 480);
}
