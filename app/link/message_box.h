#pragma once
// The program's message box that insists: no owner window, the title from
// the text table, shown again until the user confirms it with OK.
#include <string>

// In the language `lang`.
void ShowUntilOk(const std::string& text, int titleRow, unsigned icon, int lang);
// In the program's current language.
void ShowUntilOk(const std::string& text, int titleRow, unsigned icon);
