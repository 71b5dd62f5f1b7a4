#include "app/params/log_memory.h"

TForm25* Form25 = nullptr;

TForm25::TForm25() {
  SetName("Form25");
  SetCaption("Logfunktionen - Kanal 1");
  SetSize(480, 380);
}
