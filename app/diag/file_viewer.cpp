#include "app/diag/file_viewer.h"

TForm20* Form20 = nullptr;

TForm20::TForm20() {
  SetName("Form20");
  SetCaption("Dateianzeige");
  SetSize(600, 450);
}
