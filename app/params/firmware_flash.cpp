#include "app/params/firmware_flash.h"

TForm27* Form27 = nullptr;

TForm27::TForm27() {
  SetName("Form27");
  SetCaption("Firmware-Flashprogrammierung");
  SetSize(480, 360);
}
