#include "app/link/password_dialog.h"

TForm17* Form17 = nullptr;

TForm17::TForm17() {
  SetName("Form17");
  SetCaption("Passwort-Eingabe");
  SetSize(280, 140);
}
