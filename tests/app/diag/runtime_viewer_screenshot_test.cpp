// Renders every visible page of the run-time structure viewer, the Profibus
// test panel and the baud-rate window, filled from a simulated device,
// offscreen to <build>/screenshots/, and checks their layouts.
#include "tests/app/diag/runtime_viewer_fixture.h"
#include "tests/support/layout_checks.h"
#include "tests/support/screenshot.h"

namespace {

class DiagScreenshots : public RuntimeViewerTest {};

void ExpectSoundLayout(const TForm& form, const std::string& name) {
  for (const std::string& defect : LayoutDefects(form)) ADD_FAILURE() << name << ": " << defect;
}

TEST_F(DiagScreenshots, EveryVisiblePageOfTheViewer) {
  SetBlock(0, {0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
  SetBlock(2, Counting(0, 32));
  SetBlock(3, Counting(0x10, 128));
  SetBlock(4, Counting(0x20, 128));
  SetBlock(5, Counting(0x30, 12));
  SetBlock(9, Counting(0, 64));
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.exbInputs = 0x05;
    m.encoderRaw = 4711;
    m.encoderScaled = 12.3456f;
    m.relays = 1;
    m.diagData[0] = {0x01, 0xA0, 0x7F, 0x00, 0x12};
    m.channels[0].loadCounter = {1200, 35, 80};
    m.channels[0].beltScale = {1.5, 90.0, 1234.5, 12.0};
    m.logEntries = {256, 512};
    for (uint32_t r = 0; r < 9; ++r) m.adcRegisters[r] = 0x00010203u + r;
  });
  TForm12& w = viewer();
  w.Show();
  w.Button17->Click();
  w.Button3->Click();
  w.Button5->Click();
  w.Button21->Click();
  w.Lesen->Click();
  w.Button8->Click();
  w.Button73->Click();
  w.RadioButton22->Click();
  w.Button85->Click();
  w.RadioButton24->Click();
  w.RadioButton27->Click();
  w.Button86->Click();
  w.Button61->Click();
  w.Edit10->SetText("100");
  const char* const names[] = {"gbl",  "lpc",     "adc",  nullptr, nullptr, "test_debug", "cs5532",
                               "log",  "diag",    "test_pb", "misc", "exb", "spi"};
  // Every page once, so that each is laid out in the page control's area.
  for (int page = 0; page < w.PageControl1->PageCount(); ++page) w.PageControl1->SetActivePageIndex(page);
  for (int page = 0; page < w.PageControl1->PageCount(); ++page) {
    if (names[page] == nullptr) continue;
    w.PageControl1->SetActivePageIndex(page);
    const std::string name = std::string("runtime_viewer_") + names[page];
    SaveScreenshot(w, name);
    ExpectSoundLayout(w, name);
  }
}

TEST_F(DiagScreenshots, ProfibusPanelAndBaudRate) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.dipAddress = 3; m.profibusState = 2; });
  Form14->Show();
  Form14->Button3->Click();
  Form14->Button5->Click();
  SaveScreenshot(*Form14, "profibus_test");
  ExpectSoundLayout(*Form14, "profibus_test");
  Form2->Show();
  SaveScreenshot(*Form2, "baud_rate");
  ExpectSoundLayout(*Form2, "baud_rate");
}

}  // namespace
