#include "app/service/load_calibration.h"

TForm22* Form22 = nullptr;

TForm22::TForm22() {
  SetName("Form22");
  SetCaption("Kalibrierung mit Last");
  SetSize(520, 420);
}
