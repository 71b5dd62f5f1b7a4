// Renders every page of the set-up editor offscreen, filled with the default
// set-up, to <build>/screenshots/setup_editor_page_NN[_12pt].png, with the
// desktop's font and with a 12-point desktop font, and checks their layout.
#include <QWidget>
#include <cstdio>
#include <string>

#include "tests/app/setup/editor_fixture.h"
#include "tests/support/layout_checks.h"
#include "tests/support/screenshot.h"

namespace {

using enum SetupSection;

class Screenshots : public EditorTest {};

TEST_F(Screenshots, EveryPageRendersWithItsControls) {
  for (const SectionInfo& info : Sections()) {
    if (info.section == SAV) continue;
    LoadDefaultSection(Form1->SetupImage, info.section);
  }
  for (const SectionInfo& info : Sections()) editor().SetupToControls(SectionCode(info.section, SetupBase));
  editor().Label133->SetCaption("DEFAULT (SET1)");

  TPageControl* pages = editor().PageControl1;
  ASSERT_EQ(pages->PageCount(), 18);
  WithDesktopFonts([&](const std::string& suffix) {
    editor().Show();
    ASSERT_TRUE(PumpUntil([&] { return editor().Widget()->isVisible(); }));
    for (int i = 0; i < pages->PageCount(); ++i) {
      pages->SetActivePageIndex(i);
      char name[64];
      std::snprintf(name, sizeof name, "setup_editor_page_%02d", i);
      SaveScreenshot(editor(), name + suffix);
    }
    // Every page's controls, shown or not, once: hidden pages keep their layout.
    for (const std::string& defect : LayoutDefects(editor())) ADD_FAILURE() << suffix << ": " << defect;
    EXPECT_LE(EmptyBandBelow(editor()), 20) << suffix;
    editor().Hide();
  });
}

}  // namespace
