#include "app/diag/german_box.h"

#include "platform/forms/dialogs.h"

void GermanBox(const std::string& text, const char* title, unsigned icon) {
  while (MessageBox(text, title, MB_OK | icon) != IDOK) {
  }
}
