#include "app/diag/internal_calibration.h"

TForm6* Form6 = nullptr;

TForm6::TForm6() {
  SetName("Form6");
  SetCaption("Kalibrierung VD417");
  SetSize(560, 420);
}
