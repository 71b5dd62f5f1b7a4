#include "app/diag/factory_admin.h"

TForm7* Form7 = nullptr;

TForm7::TForm7() {
  SetName("Form7");
  SetCaption("Setup-Admin (S/N  /  Infotext)");
  SetSize(520, 420);
}
