#include "app/params/dosing_values.h"

TForm29* Form29 = nullptr;

TForm29::TForm29() {
  SetName("Form29");
  SetCaption("Werte Dosierwaage");
  SetSize(420, 300);
}
