#pragma once
// Message boxes of the windows whose texts are German in both languages.
#include <string>

// Shows the box again and again until the user confirms it with OK.
void GermanBox(const std::string& text, const char* title, unsigned icon);
