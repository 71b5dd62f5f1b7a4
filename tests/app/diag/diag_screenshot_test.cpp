// Renders the ADC functions window with a drawn graph, the telegram tester
// after a reply and the terminal window with the device's text offscreen to
// <build>/screenshots/<window>[_12pt].png, and checks their layout.
#include <QWidget>

#include "tests/app/diag/diag_fixture.h"
#include "tests/support/layout_checks.h"
#include "tests/support/screenshot.h"

namespace {

class DiagScreenshots : public DiagTest {
 protected:
  void Render(TForm& form, const std::string& name) {
    WithDesktopFonts([&](const std::string& suffix) {
      form.Show();
      ASSERT_TRUE(PumpUntil([&] { return form.Widget()->isVisible(); }));
      SaveScreenshot(form, name + suffix);
      for (const std::string& defect : LayoutDefects(form)) ADD_FAILURE() << name << suffix << ": " << defect;
      EXPECT_LE(EmptyBandBelow(form), 16) << name << suffix;
      form.Hide();
    });
  }
};

TEST_F(DiagScreenshots, AdcFunctionsWithAGraph) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.channels[0].adcRaw = 1500000;
    m.channels[1].adcRaw = 900000;
  });
  link().AdcConversionMode = 0;
  adc().Edit1->SetText("0");
  adc().CheckBox1->SetChecked(true);
  adc().CheckBox3->SetChecked(true);
  StopLoopAfter(CMD_ADC_RAW, 6);
  adc().Button6->Click();
  // A rising and falling curve beside the readings.
  for (int i = 0; i < 600; ++i) adc().PerformanceGraph1->DataPoint(clRed, 1500000 + ((i / 40) % 2 ? -1 : 1) * (i % 40) * 20000);
  Render(adc(), "adc_functions");
}

TEST_F(DiagScreenshots, TelegramTesterAfterAReply) {
  tester().Edit7->SetText("02#01#03#1E#00#00#03");
  tester().Button5->Click();
  ASSERT_FALSE(tester().Edit8->Text().empty());
  tester().Edit7->SetText("02#01#05#28#00#00#00#01#03");
  tester().Button5->Click();
  Render(tester(), "telegram_tester");
}

TEST_F(DiagScreenshots, TerminalWithTheDevicesText) {
  terminal().Button4->Click();
  const std::string text =
      "\x1b[2J\x1b[HVD417 Waegeelektronik  V1.0.12\r\n"
      "ADC CS5532 init ... ok\r\n"
      "Kanal 1: 1234567\r\nKanal 2:  -2000\r\n";
  // A line longer than the grid wraps; a binary frame shows its bytes in hex.
  const std::string longLine = std::string(90, '=') + " Ende der Zeile";
  const std::string frame("\x02\x00\x00\x04\xD2\x03", 6);
  const std::string all = text + longLine + "\r\n" + frame;
  sim_.SendRaw(devsim::Bytes(all.begin(), all.end()));
  const TerminalScreen& screen = terminal().ComTerminal1->Screen();
  ASSERT_TRUE(PumpUntil([&] { return screen.Line(6) == "<02><00><00><04><D2><03>"; }));
  EXPECT_EQ(screen.Line(3), "Kanal 2:  -2000");
  EXPECT_EQ(screen.Line(4), std::string(90, '=') + " Ende de");
  EXPECT_EQ(screen.Line(5), "r Zeile");
  Render(terminal(), "terminal_window");
}

}  // namespace
