#include "app/params/crane_setup.h"

TForm30* Form30 = nullptr;

TForm30::TForm30() {
  SetName("Form30");
  SetCaption("DOVE / LMB-F / FI - Setup");
  SetSize(800, 600);
}
