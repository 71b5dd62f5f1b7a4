#include "app/diag/telegram_tester.h"

TForm4* Form4 = nullptr;

TForm4::TForm4() {
  SetName("Form4");
  SetCaption("Test RS232");
  SetSize(560, 420);
}
