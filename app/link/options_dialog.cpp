#include "app/link/options_dialog.h"

TForm8* Form8 = nullptr;

TForm8::TForm8() {
  SetName("Form8");
  SetCaption("Programm-Optionen");
  SetSize(520, 480);
}
