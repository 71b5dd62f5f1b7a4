#include "app/link/wait_window.h"

TForm16* Form16 = nullptr;

TForm16::TForm16() {
  SetName("Form16");
  SetCaption("Warten...");
  SetSize(178, 109);
  Position = TPosition::poMainFormCenter;
}
