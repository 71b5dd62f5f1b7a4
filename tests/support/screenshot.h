#pragma once
// Saves a window's picture as <build>/screenshots/<name>.png and checks
// that it shows more than a blank face.
#include <string>

class TForm;

void SaveScreenshot(TForm& form, const std::string& name);
