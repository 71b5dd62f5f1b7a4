// The crane-scale set-up window against the simulated device: deleting
// extra points with its question, telegrams and ADC re-read, the set-up file,
// the default set-up, the range display, the enables and the blink.
#include <QTimer>

#include <filesystem>

#include "tests/app/params/crane_fixture.h"

namespace {

class CraneSetupTest : public CraneTest {};

TEST_F(CraneSetupTest, DeletingExtraPointsAsksSendsForChannelOneAndRereadsTheAdcSection) {
  struct Case {
    TButton* TForm30::*button;
    const char* question;
    uint8_t all;
    int pointsAfter;
  };
  const Case cases[] = {
      {&TForm30::Button6, "ACHTUNG!\r\n\r\nAlle Zusatzpunkte wirklich löschen?", 1, 2},
      {&TForm30::Button11, "ACHTUNG!\r\n\r\nLetzten Zusatzpunkt wirklich löschen?", 0, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.question);
    sim_.Log().Clear();
    sim_.WithDevice(1, [](devsim::DeviceModel& m) {
      m.channels[0].calPoints = 5;
      m.channels[1].calPoints = 5;
    });
    PatternDeviceAdc();
    // The service window calibrates channel 2; the crane scale's points are on channel 1.
    Form21->CalibrationChannel = 1;
    crane().Label54->SetCaption("0 OK");
    crane().Label64->SetCaption("1 OK");
    crane().Label56->SetCaption("2 OK");
    const size_t boxes = dialogs_.Boxes().size();
    dialogs_.Answer(IDYES);
    dialogs_.Answer(IDOK);  // the link's "OK!"
    (crane().*c.button)->Click();

    ASSERT_EQ(dialogs_.Boxes().size(), boxes + 2);
    const MessageBoxRequest& question = dialogs_.Boxes()[boxes].request;
    EXPECT_EQ(question.text, c.question);
    EXPECT_EQ(question.title, "FRAGE");
    EXPECT_EQ(question.buttons, BoxButtons::YesNo);
    EXPECT_EQ(dialogs_.Boxes()[boxes + 1].request.text, "OK!");

    const auto deletes = ReceivedOf(CMD_DELETE_CAL_POINTS);
    ASSERT_EQ(deletes.size(), 1u);
    EXPECT_EQ(DataOf(deletes[0]), (std::vector<uint8_t>{1, c.all}));
    EXPECT_EQ(sim_.Model(1).channels[0].calPoints, c.pointsAfter);
    EXPECT_EQ(sim_.Model(1).channels[1].calPoints, 5);
    const auto queries = ReceivedOf(CMD_READ_CAL_POINTS);
    ASSERT_EQ(queries.size(), 1u);
    EXPECT_EQ(DataOf(queries[0]), std::vector<uint8_t>{1});
    EXPECT_EQ(Form21->CalibrationChannel, 1);

    // The ADC section comes from the copy in use, after the delete.
    const auto reads = ReceivedOf(CMD_BLOCK_READ);
    ASSERT_FALSE(reads.empty());
    const std::vector<uint8_t> first = DataOf(reads.front());
    ASSERT_GE(first.size(), 2u);
    EXPECT_EQ(first[0] << 8 | first[1], SETUP_BASE_1 + 0x30);
    EXPECT_EQ(ImageAdc(), DeviceAdc());

    EXPECT_EQ(crane().Label54->Caption(), "");
    EXPECT_EQ(crane().Label64->Caption(), "");
    EXPECT_EQ(crane().Label56->Caption(), "");
    EXPECT_FALSE(crane().Label66->Visible());
    EXPECT_FALSE(crane().Timer1->Enabled());
  }
}

TEST_F(CraneSetupTest, AnsweringNoSendsNothing) {
  for (TButton* button : {crane().Button6, crane().Button11}) {
    dialogs_.Answer(IDNO);
    button->Click();
  }
  EXPECT_EQ(dialogs_.Boxes().size(), 2u);
  EXPECT_TRUE(Received().empty());
  EXPECT_FALSE(crane().Label66->Visible());
}

TEST_F(CraneSetupTest, AFailedAdcReadLeavesTheImageAsItWasAndEnds) {
  PatternDeviceAdc();
  SectionBytes(Form1->SetupImage, SetupSection::ADC)[0] = 0x5A;
  const std::vector<uint8_t> before = ImageAdc();
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).On(devsim::CMD_BLOCK_READ).Times(devsim::kForever));
  dialogs_.Answer(IDYES);
  dialogs_.Answer(IDOK);  // "OK!" of the delete
  crane().Button6->Click();
  // The first block is tried a few times, then the re-read gives up.
  const size_t reads = ReceivedOf(CMD_BLOCK_READ).size();
  EXPECT_GT(reads, 0u);
  EXPECT_LE(reads, 4u);
  EXPECT_EQ(dialogs_.Boxes().size(), 2u);
  EXPECT_EQ(ImageAdc(), before);
  EXPECT_NE(ImageAdc(), DeviceAdc());
  EXPECT_FALSE(crane().Label66->Visible());
  EXPECT_FALSE(crane().Timer1->Enabled());
}

TEST_F(CraneSetupTest, TheWaitLabelBlinksWhileTheDeviceTakesItsTime) {
  // The reply comes late: meanwhile the timer ticks every (scaled) second.
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::Delay).On(devsim::CMD_DELETE_CAL_POINTS).DelayMs(1200));
  std::vector<bool> seen;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    const bool shown = crane().Label66->Visible();
    if (crane().Timer1->Enabled() && (seen.empty() || seen.back() != shown)) seen.push_back(shown);
  });
  watch.start(10);
  dialogs_.Answer(IDYES);
  dialogs_.Answer(IDOK);
  crane().Button11->Click();
  watch.stop();
  // Shown, hidden, shown again at least: it blinked.
  ASSERT_GE(seen.size(), 3u);
  EXPECT_TRUE(seen[0]);
  EXPECT_FALSE(seen[1]);
  EXPECT_TRUE(seen[2]);
  EXPECT_FALSE(crane().Label66->Visible());
}

TEST_F(CraneSetupTest, SavingTheSetupReadsTheDeviceAndWritesTheFile) {
  Form1->SetupPresent = 0;
  dialogs_.ChooseFile((dir_ / "crane.dis").string());
  crane().Button4->Click();
  EXPECT_EQ(Form1->SetupPresent, 1);
  EXPECT_FALSE(ReceivedOf(CMD_BLOCK_READ).empty());
  ASSERT_TRUE(std::filesystem::exists(dir_ / "crane.dis"));
  const std::string text = FileText(dir_ / "crane.dis");
  EXPECT_NE(text.find("[ADC]"), std::string::npos);
  EXPECT_NE(text.find("[WKG_0]"), std::string::npos);
  EXPECT_FALSE(crane().Label66->Visible());
}

TEST_F(CraneSetupTest, DefaultSetupIsSentWithoutDataAndAnswered) {
  dialogs_.Answer(IDOK);
  crane().Button5->Click();
  const auto sent = ReceivedOf(CMD_DEFAULTS_TO_EEPROM);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_TRUE(DataOf(sent[0]).empty());
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "OK!");
}

TEST_F(CraneSetupTest, RangeFollowsDivisionsAndDigitStep) {
  TForm30& w = crane();
  // Without a digit step nothing is shown.
  w.Edit20->SetText("3000");
  EXPECT_EQ(w.Label41->Caption(), ".");
  EXPECT_EQ(w.Edit34->Text(), "");

  struct Case {
    const char* divisions;
    int step;
    const char* range;
    const char* stepText;
  };
  const Case cases[] = {
      {"3000", 11, "1500.000", "0.500"},
      {"20", 17, "1000.000", "50.000"},
      {"abc", 11, "0.000", "0.500"},
      {"2500", 2, "1.250", "0.001"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.divisions);
    w.ComboBox1->UserSelect(c.step);
    w.Edit20->SetText(c.divisions);
    EXPECT_EQ(w.Label41->Caption(), c.range);
    EXPECT_EQ(w.Edit34->Text(), c.range);
    EXPECT_EQ(w.Edit21->Text(), c.stepText);
  }
  // Choosing another step recomputes the range at once.
  w.ComboBox1->UserSelect(12);
  EXPECT_EQ(w.Label41->Caption(), "2500.000");
  EXPECT_EQ(w.Edit21->Text(), "1.000");
}

TEST_F(CraneSetupTest, EnableRules) {
  TForm30& w = crane();
  w.CheckBox1->SetChecked(true);
  EXPECT_TRUE(w.Edit28->Enabled());
  EXPECT_TRUE(w.ComboBox3->Enabled());
  w.CheckBox1->SetChecked(false);
  EXPECT_FALSE(w.Edit28->Enabled());
  EXPECT_FALSE(w.ComboBox3->Enabled());

  w.RadioButton6->Click();
  EXPECT_TRUE(w.Edit26->Enabled());
  w.RadioButton5->Click();
  EXPECT_FALSE(w.Edit26->Enabled());
  w.RadioButton6->Click();
  EXPECT_TRUE(w.Edit26->Enabled());

  w.Edit5->SetText("4");
  FireEvent(w.Edit5->OnEnter, w.Edit5);
  EXPECT_EQ(w.CalibrationPointsEntered, 4);
}

TEST_F(CraneSetupTest, ProtocolButtonShowsTheProtocolModally) {
  bool wasModal = false;
  Later([&] {
    wasModal = protocol().Modal() && protocol().Visible();
    protocol().Button3->Click();
  });
  crane().Button23->Click();
  EXPECT_TRUE(wasModal);
  EXPECT_FALSE(protocol().Visible());
}

TEST_F(CraneSetupTest, TheChartIsTitledAndEmpty) {
  EXPECT_EQ(crane().Chart1->Title(), "Kalibrierwerte");
  ASSERT_EQ(crane().Chart1->SeriesCount(), 1);
  EXPECT_EQ(crane().Chart1->SeriesName(0), "Kalibrierwerte");
  EXPECT_EQ(crane().Chart1->PointCount(0), 0);
}

}  // namespace
