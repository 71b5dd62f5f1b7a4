#include "app/setup/setup_editor.h"

TForm3* Form3 = nullptr;

TForm3::TForm3() {
  SetName("Form3");
  SetCaption("VD417-Setup");
  SetSize(793, 658);
}
