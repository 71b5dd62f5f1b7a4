#include "app/diag/production_check.h"

TForm28* Form28 = nullptr;

TForm28::TForm28() {
  SetName("Form28");
  SetCaption("VD417(DP) - Produktion/Prüfung");
  SetSize(640, 480);
}
