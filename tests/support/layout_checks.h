#pragma once
// What a look at a window's screenshot checks, measured on its controls:
// captions that their controls cut, shown controls that overlap a sibling,
// status-bar texts cut by their panel, and the empty band below the layout.
#include <functional>
#include <string>
#include <vector>

class QFont;
class TForm;

// One line per defect, naming the control; empty when the layout is sound.
std::vector<std::string> LayoutDefects(const TForm& form);

// Pixels between the lowest shown control and the bottom of the form's
// client area.
int EmptyBandBelow(const TForm& form);

// Runs `render` once with the application's default font and once with a
// 12-point application font (a desktop set to large fonts); `suffix` is ""
// and "_12pt" for the two runs, for the screenshots' file names.
void WithDesktopFonts(const std::function<void(const std::string& suffix)>& render);

// Shows the form, saves its screenshot as `name` (SaveScreenshot), fails the
// test for every layout defect and for an empty band below the layout wider
// than `maxEmptyBand`, and hides the form again.
void ScreenshotWithLayoutChecks(TForm& form, const std::string& name, int maxEmptyBand = 16);
