#include "app/service/service_window.h"

TForm21* Form21 = nullptr;

TForm21::TForm21() {
  SetName("Form21");
  SetCaption("Serviceprogramm RTV482 - LMB-F / Kranwaage");
  SetSize(800, 600);
  Position = TPosition::poScreenCenter;
}
