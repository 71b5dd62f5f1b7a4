// The options dialog: what it shows at every activation, what "ENDE" and
// "Speichern" take over, and the program ini it writes.
#include <QTimer>

#include "tests/app/program/program_fixture.h"

namespace {

class OptionsDialog : public ProgramTest {
 protected:
  TForm8& dialog() { return *Form8; }
  ProgramOptions& options() { return link().Options; }
  void Open() {
    dialog().Hide();
    dialog().Activate();
  }
};

TEST_F(OptionsDialog, EveryActivationShowsTheOptions) {
  ProgramOptions& o = options();
  o.csum = 0;
  o.sdcont = 1;
  o.sdcont_avg = 0;
  o.sdcont_avg_time = 400;
  o.cal_null_pkt = 0.5f;
  o.cal_end_pkt = 2.5f;
  o.pb = 1;
  o.get_diag = 1;
  o.diag_interval = 1200;
  o.start_brdcast = 1;
  o.rs232_logging = 0;
  o.vd417_adr = 7;
  Open();
  EXPECT_TRUE(dialog().RadioButton1->Checked());
  EXPECT_FALSE(dialog().RadioButton2->Enabled());
  EXPECT_TRUE(dialog().RadioButton4->Checked());
  EXPECT_TRUE(dialog().RadioButton5->Checked());
  EXPECT_FALSE(dialog().CheckBox1->Checked());
  EXPECT_EQ(dialog().Edit3->Text(), "400");
  EXPECT_EQ(dialog().Edit1->Text(), "0.5");
  EXPECT_EQ(dialog().Edit2->Text(), "2.5");
  EXPECT_TRUE(dialog().CheckBox2->Checked());
  EXPECT_TRUE(dialog().CheckBox3->Checked());
  EXPECT_EQ(dialog().Edit4->Text(), "1200");
  EXPECT_TRUE(dialog().CheckBox4->Checked());
  EXPECT_FALSE(dialog().CheckBox5->Checked());
  EXPECT_EQ(dialog().Edit5->Text(), "7");

  // A switch holding neither 0 nor 1 leaves its pair; the interval stays while diagnosis is off.
  o.sdcont = 2;
  o.get_diag = 0;
  o.diag_interval = 9999;
  Open();
  EXPECT_TRUE(dialog().RadioButton5->Checked());
  EXPECT_FALSE(dialog().CheckBox3->Checked());
  EXPECT_EQ(dialog().Edit4->Text(), "1200");
}

struct EndCase {
  const char* name;
  bool diagnosis;
  const char* interval;
  const char* averageTime;
  const char* zero;
  const char* end;
  const char* address;
  int expectedInterval;
  int expectedTimerInterval;  // 0: Timer5 stopped
  int expectedAverageTime;
  float expectedZero;
  float expectedEnd;
  int expectedAddress;
};

void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }

class TakingOver : public OptionsDialog, public ::testing::WithParamInterface<EndCase> {};

TEST_P(TakingOver, EndeTakesTheControlsOverAndStartsOrStopsTheDiagnosis) {
  const EndCase& c = GetParam();
  options().diag_interval = 4321;
  link().Timer5->SetEnabled(!c.diagnosis);
  Open();
  dialog().CheckBox3->SetChecked(c.diagnosis);
  dialog().Edit4->SetText(c.interval);
  dialog().Edit3->SetText(c.averageTime);
  dialog().Edit1->SetText(c.zero);
  dialog().Edit2->SetText(c.end);
  dialog().Edit5->SetText(c.address);
  dialog().Button1->Click();

  EXPECT_FALSE(dialog().Visible());
  EXPECT_EQ(options().get_diag, c.diagnosis ? 1 : 0);
  EXPECT_EQ(options().diag_interval, c.expectedInterval);
  EXPECT_EQ(link().Timer5->Enabled(), c.expectedTimerInterval != 0);
  if (c.expectedTimerInterval != 0) {
    EXPECT_EQ(link().Timer5->Interval(), c.expectedTimerInterval);
  }
  EXPECT_EQ(options().sdcont_avg_time, c.expectedAverageTime);
  EXPECT_FLOAT_EQ(options().cal_null_pkt, c.expectedZero);
  EXPECT_FLOAT_EQ(options().cal_end_pkt, c.expectedEnd);
  EXPECT_EQ(options().vd417_adr, c.expectedAddress);
  EXPECT_EQ(link().DeviceAddress, c.expectedAddress);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(IniPath()))) << "ENDE writes no ini";
}

INSTANTIATE_TEST_SUITE_P(
    Edits, TakingOver,
    ::testing::Values(EndCase{"diagnosisOffKeepsTheInterval", false, "77", "300", "0.1", "1.9", "2", 4321, 0, 300,
                              0.1f, 1.9f, 2},
                      EndCase{"diagnosisOn", true, "2500", " 120ms", "-0.5", "3", "12", 2500, 2500, 120, -0.5f, 3.0f,
                              12},
                      // Text without a number reads 0; the poll still waits 100 ms between its runs.
                      EndCase{"noNumbers", true, "abc", "x", "", "mV", "abc", 0, 100, 0, 0.0f, 0.0f, 0},
                      EndCase{"decimalCommaAndByteAddress", false, "", "250", "0,25", "2,75", "300", 4321, 0, 250,
                              0.25f, 2.75f, 44}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OptionsDialog, AnAddressWithoutADeviceQueueIsKeptButRefusesRequests) {
  link().PortUsable = 1;
  Open();
  dialog().Edit5->SetText("200");
  dialog().Button1->Click();
  EXPECT_EQ(link().DeviceAddress, 200);
  EXPECT_FALSE(link().QueueRequest(link().DeviceAddress, CMD_ADC_INFO, nullptr, 0, 0, 1));
  EXPECT_EQ(link().TransferFailed, 1);
  EXPECT_TRUE(Received().empty());
}

TEST_F(OptionsDialog, SpeichernWritesWhatWasLoadedWhenNothingChangedAndStaysOpen) {
  const std::string file =
      "[COM]\nvd417_adr=4\nauto_baud=0\nstx_etx=1\ncsum=1\npb=1\nstart_brdcast=0\nget_diag=0\ndiag_interval=3000\n"
      "rs232_logging=0\nrs485=1\ncheck_connect=0\nsetup_reconnect=1\n"
      "[ADC]\nsdcont=0\nsdcont_avg=0\nsdcont_avg_time=500\nbtncont=0\ncal_null_pkt=0.5\ncal_end_pkt=2.5\n"
      "[RTV482]\nbutton_tar_null=1\nbrutto_netto_mode=2\nlang=1\n"
      "[DEVICES]\ndev_1=0\ndev_2=1\ndev_3=0\ndev_4=0\ndev_5=0\ndev_6=0\ndev_7=0\ndev_8=0\ndev_9=0\ndev_10=0\n"
      "dev_11=0\ndev_12=0\ndev_13=0\ndev_14=0\ndev_15=0\ndev_16=1\n";
  WriteFile(IniPath(), file);
  link().LoadProgramSettings();
  Open();
  Open();
  dialog().Button2->Click();
  EXPECT_EQ(ReadFile(IniPath()), file);
  EXPECT_TRUE(dialog().Visible());
}

TEST_F(OptionsDialog, TheTraceSwitchOpensAndClosesTheTraceFile) {
  Open();
  dialog().CheckBox5->SetChecked(true);
  dialog().Button2->Click();
  EXPECT_EQ(options().rs232_logging, 1);
  EXPECT_EQ(link().Rs232LoggingOn, 1);
  ASSERT_TRUE(link().Rs232LogFile);
  EXPECT_TRUE(link().RS232Logging1->Checked());

  dialog().CheckBox5->SetChecked(false);
  dialog().Button1->Click();
  EXPECT_EQ(options().rs232_logging, 0);
  EXPECT_EQ(link().Rs232LoggingOn, 0);
  EXPECT_FALSE(link().Rs232LogFile);
  EXPECT_FALSE(link().RS232Logging1->Checked());
  // The closed trace has its name.
  EXPECT_EQ(ReadFile(Path("rs232_log.txt")).rfind("Device - RS232-Logging\n\nStart: ", 0), 0u);
}

TEST_F(OptionsDialog, TheServiceWindowOpensItModallyFromExtrasAndBesideItFromAdmin) {
  bool modal = false;
  QTimer::singleShot(0, [&] {
    modal = dialog().Modal() && dialog().Visible();
    dialog().Button1->Click();
  });
  service().Optionen1Click(nullptr);  // the entry is hidden in the menu
  EXPECT_TRUE(modal);
  EXPECT_FALSE(dialog().Visible());

  service().ProgrammOptionen1->Click();
  ASSERT_TRUE(PumpUntil([&] { return dialog().Visible(); }));
  EXPECT_TRUE(dialog().Visible());
  EXPECT_FALSE(dialog().Modal());
}

}  // namespace
