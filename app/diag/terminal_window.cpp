#include "app/diag/terminal_window.h"

TForm15* Form15 = nullptr;

TForm15::TForm15() {
  SetName("Form15");
  SetCaption("Terminal-Fenster");
  SetSize(720, 560);
}
