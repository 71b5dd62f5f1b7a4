// Renders the factory administration and the production check panel
// offscreen to <build>/screenshots/ and checks their layouts.
#include "app/diag/factory_admin.h"
#include "app/diag/production_check.h"
#include "tests/app/link/link_fixture.h"
#include "tests/support/layout_checks.h"
#include "tests/support/screenshot.h"

namespace {

using FactoryScreens = LinkTest;

TEST_F(FactoryScreens, FactoryAdministrationLockedAndUnlocked) {
  ScopedForm<TForm7> form7(Form7);
  WithDesktopFonts([&](const std::string& suffix) {
    TForm7& w = *form7;
    w.Edit1->SetText("00012345");
    w.Edit2->SetText("VD417 Prüfstand Halle 3");
    w.Edit3->SetText("0124");
    w.Edit4->SetText("21");
    ScreenshotWithLayoutChecks(w, "factory_admin" + suffix);
    w.Label4->Click();
    w.Edit4->SetText("101");
    ScreenshotWithLayoutChecks(w, "factory_admin_unlocked" + suffix);
    w.Label4->Click();
  });
}

TEST_F(FactoryScreens, ProductionCheckPanel) {
  ScopedForm<TForm28> form28(Form28);
  // Shown without the service window: the panel reads nothing.
  Form21 = nullptr;
  link().DeviceVariant = 11;
  WithDesktopFonts([&](const std::string& suffix) {
    form28->Show();
    FireEvent(form28->OnActivate, &*form28);
    SaveScreenshot(*form28, "production_check" + suffix);
    for (const std::string& defect : LayoutDefects(*form28)) ADD_FAILURE() << defect;
    EXPECT_LE(EmptyBandBelow(*form28), 16);
    form28->Hide();
  });
}

}  // namespace
