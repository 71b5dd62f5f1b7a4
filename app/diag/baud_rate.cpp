#include "app/diag/baud_rate.h"

TForm2* Form2 = nullptr;

TForm2::TForm2() {
  SetName("Form2");
  SetCaption("Temp. Ändern der Geräte-Baudrate");
  SetSize(360, 240);
}
