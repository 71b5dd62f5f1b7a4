// Renders the crane-scale set-up window, the protocol form with its preview
// and the firmware-flash dialog after an update offscreen to
// <build>/screenshots/.
#include "app/params/firmware_flash.h"
#include "tests/app/params/crane_fixture.h"
#include "tests/support/screenshot.h"

namespace {

class CraneScreenshots : public CraneTest {};

TEST_F(CraneScreenshots, CraneSetupProtocolPreviewAndFirmwareFlash) {
  TForm30& w = crane();
  w.Show();
  w.ComboBox1->UserSelect(11);
  w.Edit20->SetText("3000");
  w.Label66->Show();
  SaveScreenshot(w, "crane_setup");
  w.Hide();

  Form1->SerialNumberText = "12345678";
  Form1->FirmwareVersionText = "V1.2.3";
  TForm31& p = protocol();
  p.Show();
  SaveScreenshot(p, "crane_protocol");
  Later([&] {
    TForm* preview = p.QuickRep1->PreviewForm();
    ASSERT_NE(preview, nullptr);
    SaveScreenshot(*preview, "crane_protocol_preview");
    preview->Close();
  });
  p.Button2->Click();
  p.Hide();

  ScopedForm<TForm27> flash(Form27);
  flash->Show();
  dialogs_.ChooseFile("fw/vd417.hex");
  flash->Button2->Click();
  dialogs_.Answer(IDOK);
  flash->Button3->Click();
  SaveScreenshot(*flash, "firmware_flash");
  flash->Button1->Click();
}

}  // namespace
