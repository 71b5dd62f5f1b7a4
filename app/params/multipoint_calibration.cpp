#include "app/params/multipoint_calibration.h"

TForm26* Form26 = nullptr;

TForm26::TForm26() {
  SetName("Form26");
  SetCaption("Mehrpunktkalibrierung");
  SetSize(480, 380);
}
