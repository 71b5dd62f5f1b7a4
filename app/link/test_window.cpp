#include "app/link/test_window.h"

TForm1* Form1 = nullptr;

TForm1::TForm1() {
  SetName("Form1");
  SetCaption("KVT Gruppe  Meß & Vevovizidavu - VD417 Test- und Parametrierprogramm");
  SetSize(897, 648);
  Position = TPosition::poDesktopCenter;
}
