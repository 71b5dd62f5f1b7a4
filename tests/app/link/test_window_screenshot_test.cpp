// Renders the test window's two pages offscreen, after an identification
// and a weight read of the simulated device, to
// <build>/screenshots/test_window_page_N[_12pt].png, with the desktop's
// font and with a 12-point desktop font, and checks their layout.
#include <QWidget>
#include <string>

#include "tests/app/link/test_window_fixture.h"
#include "tests/support/layout_checks.h"
#include "tests/support/screenshot.h"

namespace {

class Screenshots : public TestWindowTest {};

TEST_F(Screenshots, BothPagesRenderWithTheirControls) {
  TForm1& w = link();
  ASSERT_EQ(w.IdentifyDevice(), 0);
  w.CheckBox3->SetChecked(false);
  w.Button9Click(nullptr);
  // What the start-up shows of the controls hidden in the form.
  for (TControl* c : std::initializer_list<TControl*>{w.Button3, w.Button4, w.Button5, w.Button2, w.Button7, w.Button8,
                                                       w.Button12, w.Button10, w.Button11, w.Button16, w.Button6,
                                                       w.Edit1, w.Label27, w.GroupBox1})
    c->SetVisible(true);
  // A communication error in its owner-drawn panel, and the firmware panel.
  w.StatusBar1->SetPanelText(8, "COM-ERR");
  w.StatusBar1->SetPanelText(11, "SW 0x02");

  WithDesktopFonts([&](const std::string& suffix) {
    w.Show();
    ASSERT_TRUE(PumpUntil([&] { return w.Widget()->isVisible(); }));
    for (int page = 0; page < w.PageControl1->PageCount(); ++page) {
      w.PageControl1->SetActivePageIndex(page);
      SaveScreenshot(w, "test_window_page_" + std::to_string(page + 1) + suffix);
      for (const std::string& defect : LayoutDefects(w)) ADD_FAILURE() << "page " << page + 1 << suffix << ": " << defect;
    }
    EXPECT_LE(EmptyBandBelow(w), 12) << suffix;
    w.Hide();
  });
}

}  // namespace
