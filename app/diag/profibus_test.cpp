#include "app/diag/profibus_test.h"

TForm14* Form14 = nullptr;

TForm14::TForm14() {
  SetName("Form14");
  SetCaption("Form14");
  SetSize(480, 360);
}
