// Renders the four calibration windows, filled from a simulated device,
// offscreen to <build>/screenshots/*.png, with the desktop's font and with a
// 12-point desktop font, and checks their layouts.
#include <QWidget>

#include "tests/app/diag/calibration_fixture.h"
#include "tests/support/layout_checks.h"
#include "tests/support/screenshot.h"

namespace {

class CalibrationScreenshots : public CalibrationTest {
 protected:
  static void SaveAndCheck(TForm& form, const std::string& name) {
    ASSERT_TRUE(PumpUntil([&] { return form.Widget()->isVisible(); }));
    SaveScreenshot(form, name);
    for (const std::string& defect : LayoutDefects(form)) ADD_FAILURE() << name << ": " << defect;
  }
};

TEST_F(CalibrationScreenshots, TheFourWindowsRender) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.unitIndex = 0;
    m.divisionsIndex = 14;
    m.stepIndex = 11;
    m.channels[0].calPoints = 8;
  });
  Ready();
  window().ComboBox1->SetItemIndex(0);
  window().Kanal1->Click();
  Form22->FormActivate(nullptr);
  Form22->Button5->Click();
  Form26->Activate();
  Form26->Edit1->SetText("12,5");

  link().CalibrationServiceMode = 0;
  Form13->Activate();
  Form13->Edit1->SetText("1500");
  Form13->Edit3->SetText("3");
  Form13->Edit2->SetText("500");
  Form13->Label21->SetVisible(true);

  link().SupervisorMode = 1;
  Form6->Activate();
  Form6->Button5->Click();

  Form13->Button15->Click();
  Form19->Edit3->SetText("2.0");
  Form19->Edit4->SetText("1500");

  WithDesktopFonts([&](const std::string& suffix) {
    SaveAndCheck(*Form26, "multipoint_calibration" + suffix);
    SaveAndCheck(*Form13, "external_calibration" + suffix);
    SaveAndCheck(*Form6, "internal_calibration" + suffix);
    SaveAndCheck(*Form19, "theoretical_calibration" + suffix);
  });
  // All six extra-point rows, the last with the form's own caption "Zusatzpunk".
  Form13->Edit3->SetText("6");
  ASSERT_TRUE(Form13->Label14->Visible());
  EXPECT_EQ(Form13->Label14->Caption(), "Zusatzpunk");
  SaveAndCheck(*Form13, "external_calibration_six_points");
  link().Options.lang = 1;
  Form26->ChangeLanguage();
  SaveAndCheck(*Form26, "multipoint_calibration_en");
}

}  // namespace
