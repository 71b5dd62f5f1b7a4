#pragma once
// Saves a window's picture as <build>/screenshots/<name>.png (taken on X11:
// screenshots/xcb/<name>.png) and checks that it shows more than a blank face.
#include <string>

class TForm;

void SaveScreenshot(TForm& form, const std::string& name);
// The file for the picture `name` on the platform the test runs on; its folder is made.
std::string ScreenshotPath(const std::string& name);
