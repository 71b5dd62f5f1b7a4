#include "app/diag/address_list.h"

TForm9* Form9 = nullptr;

TForm9::TForm9() {
  SetName("Form9");
  SetCaption("Geräteadressen");
  SetSize(400, 360);
}
