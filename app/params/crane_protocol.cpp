#include "app/params/crane_protocol.h"

TForm31* Form31 = nullptr;

TForm31::TForm31() {
  SetName("Form31");
  SetCaption("Protokoll - Druck");
  SetSize(640, 800);
}
