#include "app/params/adc_settings.h"

TForm32* Form32 = nullptr;

TForm32::TForm32() {
  SetName("Form32");
  SetCaption("RTV483 - ADC-Einstellungen");
  SetSize(360, 220);
}
