#include "app/link/about_box.h"

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox() {
  SetName("AboutBox");
  SetCaption("Info");
  SetSize(300, 260);
  Position = TPosition::poScreenCenter;
}
