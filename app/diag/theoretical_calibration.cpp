#include "app/diag/theoretical_calibration.h"

TForm19* Form19 = nullptr;

TForm19::TForm19() {
  SetName("Form19");
  SetCaption("Theoretische Kalibrierung VD417");
  SetSize(480, 360);
}
