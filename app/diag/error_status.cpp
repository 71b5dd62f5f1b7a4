#include "app/diag/error_status.h"

TForm11* Form11 = nullptr;

TForm11::TForm11() {
  SetName("Form11");
  SetCaption("Status - Error");
  SetSize(480, 400);
}
