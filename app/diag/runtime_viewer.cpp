#include "app/diag/runtime_viewer.h"

TForm12* Form12 = nullptr;

TForm12::TForm12() {
  SetName("Form12");
  SetCaption("VD417-Debug (Laufzeitvariablen)");
  SetSize(720, 540);
}
