// Renders the log-memory dialog, the dosing values and the ADC settings
// offscreen to <build>/screenshots/, in both languages where they have two,
// and checks their layouts.
#include "app/link/setup_image.h"
#include "app/params/adc_settings.h"
#include "app/params/dosing_values.h"
#include "app/params/log_memory.h"
#include "tests/app/link/link_fixture.h"
#include "tests/support/layout_checks.h"
#include "tests/support/screenshot.h"

namespace {

using DeviceDialogScreens = LinkTest;

TEST_F(DeviceDialogScreens, LogMemoryWithTheExpertControls) {
  ScopedForm<TForm25> form25(Form25);
  TForm25& w = *form25;
  w.Label19->SetCaption("300");
  w.Label20->SetCaption("150");
  w.Label21->SetCaption("-256  /  FFFFFF00");
  w.Label1->SetCaption("-2");
  w.Edit10->SetText("1000");
  w.Button62->SetEnabled(true);
  WithDesktopFonts([&](const std::string& suffix) {
    for (int lang : {0, 1}) {
      link().Options.lang = static_cast<uint8_t>(lang);
      w.ChangeLanguage();
      const std::string name = std::string("log_memory") + (lang == 1 ? "_en" : "") + suffix;
      w.ShowExpertControls(false);
      ScreenshotWithLayoutChecks(w, name);
      w.ShowExpertControls(true);
      ScreenshotWithLayoutChecks(w, name + "_expert");
    }
  });
}

TEST_F(DeviceDialogScreens, DosingValues) {
  ScopedForm<TForm29> form29(Form29);
  TForm29& w = *form29;
  w.RadioButton25->SetChecked(true);
  w.RadioButton27->SetChecked(true);
  w.Label53->SetCaption("900.25");
  w.Label51->SetCaption("");
  w.Label55->SetCaption("");
  w.Label57->SetCaption("");
  WithDesktopFonts([&](const std::string& suffix) { ScreenshotWithLayoutChecks(w, "dosing_values" + suffix); });
}

TEST_F(DeviceDialogScreens, AdcSettings) {
  ScopedForm<TForm32> form32(Form32);
  TForm32& w = *form32;
  // The activation shows the image's values: 16 Hz and a filter of 16.
  const auto adc = SectionBytes(link().SetupImage, SetupSection::ADC);
  adc[static_cast<size_t>(FieldOf(SetupSection::ADC, "crate").offset)] = 1;
  adc[static_cast<size_t>(FieldOf(SetupSection::ADC, "len_0").offset)] = 16;
  w.Label4->SetVisible(true);
  WithDesktopFonts([&](const std::string& suffix) {
    for (int lang : {0, 1}) {
      link().Options.lang = static_cast<uint8_t>(lang);
      w.ChangeLanguage();
      ScreenshotWithLayoutChecks(w, std::string("adc_settings") + (lang == 1 ? "_en" : "") + suffix);
    }
  });
}

}  // namespace
