// Renders the service window connected to the simulated device with its
// weights shown, and the extension-board and address windows beside it,
// offscreen to <build>/screenshots/.
#include <QWidget>
#include <string>

#include "app/diag/address_list.h"
#include "tests/app/service/service_fixture.h"
#include "tests/support/layout_checks.h"
#include "tests/support/screenshot.h"

namespace {

class Screenshots : public ServiceTest {};

TEST_F(Screenshots, ServiceWindowConnectedWithWeights) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.exbFitted = true;
    m.exbInputs = 0x05;
    m.encoderRaw = 1520;
    m.encoderScaled = 15.2f;
    m.relays = 0x02;
  });
  window().ChangeLanguage();
  window().Show();
  ASSERT_TRUE(PumpUntil([&] { return window().Widget()->isVisible(); }));
  Connect();
  window().Inkrementalwerte1Click(nullptr);
  ASSERT_TRUE(PumpUntil([&] {
    return window().Label11->Caption() == "1 :      12.50" && window().Label21->Caption() == "2 :       3.00" &&
           Form18->Label31->Caption() == "1520";
  }));
  WithDesktopFonts([&](const std::string& suffix) {
    SaveScreenshot(window(), "service_window_connected" + suffix);
    for (const std::string& defect : LayoutDefects(window())) ADD_FAILURE() << suffix << ": " << defect;
    // The progress bar's row stays free below the device data.
    EXPECT_LE(EmptyBandBelow(window()), 20) << suffix;
    SaveScreenshot(*Form18, "exb_values" + suffix);
  });

  link().DeviceAddress = 1;
  Form9->ShowDevicePresence();
  Form9->ShowCurrentAddress();
  Form9->Show();
  ASSERT_TRUE(PumpUntil([&] { return Form9->Widget()->isVisible(); }));
  SaveScreenshot(*Form9, "address_list");
  Form9->Hide();
  window().Hide();
}

}  // namespace
