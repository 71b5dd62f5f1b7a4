#include "app/params/inputs_relays.h"

TForm24* Form24 = nullptr;

TForm24::TForm24() {
  SetName("Form24");
  SetCaption("Parameter - Digitale Eingänge / Inkrementalgeber / Relais1/2");
  SetSize(640, 520);
}
