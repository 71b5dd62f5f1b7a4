#pragma once
// The set-up editor's message boxes: no owner window, title from the text
// table in the current language.
#include <string>

#include "app/link/message_box.h"

// A Yes/No question titled "FRAGE"/"QUESTION"; true for Yes.
bool AskYesNo(const std::string& text);
// A text table row in the current language.
std::string LangText(int row);
// One of a fixed pair of texts in the current language.
std::string LangText(const char* german, const char* english);
