// Renders the error and status window with bits set, the traffic monitor
// after a request and the file viewer with a log, offscreen to
// <build>/screenshots/, and checks their layouts.
#include <QWidget>

#include "app/diag/error_status.h"
#include "app/diag/file_viewer.h"
#include "app/diag/traffic_monitor.h"
#include "tests/app/link/test_window_fixture.h"
#include "tests/support/layout_checks.h"
#include "tests/support/screenshot.h"

namespace {

class Screenshots : public TestWindowTest {
 protected:
  static void Render(TForm& form, const std::string& name) {
    form.Show();
    ASSERT_TRUE(PumpUntil([&] { return form.Widget()->isVisible(); }));
    WithDesktopFonts([&](const std::string& suffix) {
      SaveScreenshot(form, name + suffix);
      for (const std::string& defect : LayoutDefects(form)) ADD_FAILURE() << name << suffix << ": " << defect;
    });
    form.Hide();
  }
};

TEST_F(Screenshots, ErrorWindowTrafficMonitorAndFileViewer) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.errorCodes = {0x29, 0x00};
    m.errorClasses[0x08] = 0x21;
    m.statusBits = DEVICE_STATUS_OVERLOAD;
  });
  link().DeviceType = 4;
  for (int lang : {0, 1}) {
    link().Options.lang = static_cast<uint8_t>(lang);
    Form11->ChangeLanguage();
    Form11->Show();
    Form11->Button3->Click();
    Form11->Label15->OnClick(Form11->Label15);
    ASSERT_EQ(Form11->Label38->Caption(), "ADC : 33 / 0x21");
    Render(*Form11, lang == 0 ? "error_status_de" : "error_status_en");
  }
  link().Options.lang = 0;

  Form5->ChangeLanguage();
  link().RS232Fenster1->SetChecked(true);
  ASSERT_TRUE(Request(CMD_READ_WEIGHT, {0x00, 0x01}));
  ASSERT_FALSE(Form5->Memo3->Text().empty());
  Render(*Form5, "traffic_monitor");

  std::string log = "Device - Logging\n\n";
  for (int i = 0; i < 40; ++i) log += "12:00:" + std::to_string(10 + i) + ";12.50;3.00\n";
  Form20->RichEdit1->SetText(log);
  Render(*Form20, "file_viewer");
}

}  // namespace
