#include "app/params/exb_values.h"

TForm18* Form18 = nullptr;

TForm18::TForm18() {
  SetName("Form18");
  SetCaption("EXB");
  SetSize(420, 320);
}
