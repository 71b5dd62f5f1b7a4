// Renders every page of the weighing-parameter dialog and of the input,
// encoder and relay dialog, filled from a simulated device, offscreen to
// <build>/screenshots/.
#include "tests/app/params/params_fixture.h"
#include "tests/support/screenshot.h"

#include <QWidget>

namespace {

using enum SetupSection;
using known_setup::Set;

class Screenshots : public ParamsTest {};

TEST_F(Screenshots, EveryPageOfBothDialogs) {
  SetupImageBytes image = known_setup::Defaults();
  Set(image, ADM, "ext_disp", 1);
  Set(image, WKG0, "cm1", 'k');
  Set(image, WKG0, "cm2", 'g');
  Set(image, WKS, "fakt_0", 1);
  Set(image, WKS, "fakt_1", 1);
  Set(image, EXB, "inp_active", 1);
  Set(image, EXB, "inp_incr", 1);
  Set(image, EXB, "inp_val", 500);
  Set(image, EXB, "rel_0_active", 1);
  Set(image, EXB, "rel_0_value", 1);
  Set(image, EXB, "rel_0_grw", 80.0);
  Set(image, EXB, "rel_1_active", 1);
  Set(image, EXB, "rel_1_sti", 1);
  LoadDevice(image, devsim::SETUP_BASE_1);
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.exbFitted = true;
    m.adcMode = 1;
  });
  Connect();

  // Opened by the plain menu entries: the pages stay as the activation leaves them.
  Form21->ParameterPage = 0;
  Form21->ExbPage = -1;
  TForm23& d = params();
  TForm24& e = exb();
  for (int lang : {0, 1}) {
    const std::string suffix = lang == 1 ? "_en" : "";
    link().Options.lang = static_cast<uint8_t>(lang);
    d.ChangeLanguage();
    e.ChangeLanguage();

    d.Activate();
    ASSERT_TRUE(PumpUntil([&] { return d.Widget()->isVisible(); }));
    const char* const names[] = {"weighing_parameters_general", "weighing_parameters_channel1",
                                 "weighing_parameters_channel2", nullptr, "weighing_parameters_display"};
    for (int page : {0, 1, 2, 4}) {
      ASSERT_TRUE(d.PageControl1->Page(page)->TabVisible()) << page;
      d.PageControl1->SetActivePageIndex(page);
      SaveScreenshot(d, std::string(names[page]) + suffix);
    }
    d.Hide();

    e.Activate();
    ASSERT_TRUE(PumpUntil([&] { return e.Widget()->isVisible(); }));
    e.PageControl1->SetActivePageIndex(0);
    SaveScreenshot(e, "inputs_relays_inputs" + suffix);
    e.PageControl1->SetActivePageIndex(1);
    SaveScreenshot(e, "inputs_relays_relays" + suffix);
    e.Hide();
  }
}

}  // namespace
