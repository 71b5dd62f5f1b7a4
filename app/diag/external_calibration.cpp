#include "app/diag/external_calibration.h"

TForm13* Form13 = nullptr;

TForm13::TForm13() {
  SetName("Form13");
  SetCaption("Externe Kalibrierung VD417");
  SetSize(560, 420);
}
