#include "app/link/message_box.h"

#include "app/program/text_table.h"
#include "platform/forms/dialogs.h"

void ShowUntilOk(const std::string& text, int titleRow, unsigned icon, int lang) {
  MessageBoxUntilOk(text, Text(titleRow, lang), icon);
}
