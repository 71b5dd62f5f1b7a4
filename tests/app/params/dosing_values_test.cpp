// The dosing-scale values window against the simulated device: the read
// loop, its value and channel choice, its stop, and its refusals.
#include "app/params/dosing_values.h"
#include "tests/app/service/service_fixture.h"

namespace {

class DosingValues : public ServiceTest {
 protected:
  void SetUp() override {
    ServiceTest::SetUp();
    form29_ = std::make_unique<ScopedForm<TForm29>>(Form29);
    sim_.WithDevice(1, [](devsim::DeviceModel& m) {
      m.channels[0].beltScale = {1.5, 2.25, 100.0, 0.5};
      m.channels[1].beltScale = {7.0, 8.5, 900.25, 3.0};
    });
  }
  void TearDown() override {
    form29_.reset();
    ServiceTest::TearDown();
  }
  TForm29& window29() { return *Form29; }

  std::vector<std::vector<uint8_t>> Reads() const {
    std::vector<std::vector<uint8_t>> reads;
    for (const auto& f : ReceivedOf(CMD_READ_BELT_SCALE)) reads.push_back(DataOf(f));
    return reads;
  }
  std::vector<std::string> ValueLabels() {
    TForm29& w = window29();
    return {w.Label51->Caption(), w.Label55->Caption(), w.Label53->Caption(), w.Label57->Caption()};
  }
  // Runs `step` inside the read loop once the device has had `reads` reads.
  void AfterReads(size_t reads, std::function<void()> step) {
    Later([this, reads, step] {
      if (Reads().size() >= reads || window29().DosingReadActive == 0)
        step();
      else
        AfterReads(reads, step);
    });
  }

 private:
  std::unique_ptr<ScopedForm<TForm29>> form29_;
};

TEST_F(DosingValues, OnlyTheHiddenMenuEntryOpensTheWindow) {
  EXPECT_FALSE(window().WerteBandwaage1->Visible());
  FireEvent(window().WerteBandwaage1->OnClick, window().WerteBandwaage1);
  EXPECT_TRUE(window29().Visible());
  // No choice made yet, nothing read.
  EXPECT_FALSE(window29().RadioButton24->Checked() || window29().RadioButton25->Checked());
  EXPECT_TRUE(Reads().empty());
}

TEST_F(DosingValues, StartWithoutChannelOrValueIsRefused) {
  EXPECT_EQ(ValueLabels(), (std::vector<std::string>{".", ".", ".", "."}));
  dialogs_.Answer(IDOK);
  window29().Button86->Click();
  window29().RadioButton24->Click();
  dialogs_.Answer(IDOK);
  window29().Button86->Click();
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Bitte Kanal wählen!", "Bitte Wert wählen!"}));
  for (const auto& box : dialogs_.Boxes()) EXPECT_EQ(box.request.title, "HINWEIS");
  EXPECT_EQ(window29().DosingReadActive, 0);
  EXPECT_EQ(window29().Button86->Caption(), "START - Lesen");
  EXPECT_TRUE(Reads().empty());
}

TEST_F(DosingValues, TheLoopReadsTheChosenValueUntilStopped) {
  window29().RadioButton25->Click();
  window29().RadioButton27->Click();  // "Gesamtsumme"
  AfterReads(2, [this] {
    EXPECT_EQ(window29().Button86->Caption(), "STOP - Lesen");
    EXPECT_EQ(ValueLabels(), (std::vector<std::string>{"", "", "900.25", ""}));
    window29().RadioButton26->Click();  // "Flow / min" from the next pass on
    AfterReads(Reads().size() + 2, [this] { window29().Button86->Click(); });
  });
  window29().Button86->Click();  // returns when the loop has ended

  EXPECT_EQ(window29().DosingReadActive, 0);
  EXPECT_EQ(window29().Button86->Caption(), "START - Lesen");
  const auto reads = Reads();
  ASSERT_GE(reads.size(), 4u);
  EXPECT_EQ(reads.front(), (std::vector<uint8_t>{2, 2}));
  EXPECT_EQ(reads.back(), (std::vector<uint8_t>{2, 1}));
  EXPECT_EQ(ValueLabels(), (std::vector<std::string>{"", "8.50", "", ""}));
  // Stopped: nothing more is read.
  const size_t count = reads.size();
  link().WaitMs(1000);
  EXPECT_EQ(Reads().size(), count);
}

TEST_F(DosingValues, BeendenWhileReadingStopsAndBlanksTheValues) {
  window29().Show();
  window29().RadioButton24->Click();
  window29().RadioButton28->Click();
  AfterReads(1, [this] { window29().Button1->Click(); });
  window29().Button86->Click();
  EXPECT_EQ(window29().DosingReadActive, 0);
  EXPECT_FALSE(window29().Visible());
  EXPECT_EQ(ValueLabels(), (std::vector<std::string>{"", "", "", ""}));
  EXPECT_EQ(Reads().front(), (std::vector<uint8_t>{1, 0}));
}

TEST_F(DosingValues, WhileTheServiceWindowIsConnectedNothingIsRead) {
  Connect();
  window29().RadioButton24->Click();
  window29().RadioButton28->Click();
  dialogs_.Answer(IDOK);
  window29().Button86->Click();
  EXPECT_EQ(window29().Button86->Caption(), "STOP - Lesen");
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Bitte Verbindung trennen!"});
  link().WaitMs(1000);
  EXPECT_TRUE(Reads().empty());
  window29().Button86->Click();
  EXPECT_EQ(window29().Button86->Caption(), "START - Lesen");
}

TEST_F(DosingValues, TheLoopEndsWhenTheDeviceStopsAnsweringOrThePortIsUnusable) {
  window29().RadioButton24->Click();
  window29().RadioButton29->Click();
  // The device stops answering: after three failed requests the link takes no more.
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).Times(devsim::kForever));
  dialogs_.Answer(IDOK);  // the link's communication error
  window29().Button86->Click();
  EXPECT_EQ(window29().DosingReadActive, 0);
  EXPECT_EQ(window29().Button86->Caption(), "START - Lesen");
  EXPECT_EQ(ValueLabels(), (std::vector<std::string>{".", ".", ".", "."}));
  EXPECT_EQ(Reads().size(), 6u);  // three requests, each tried twice
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Kommunikationsfehler PC<->Gerät (Adr.:1)!"});

  // Without a usable port the link refuses every request: the loop ends at once.
  sim_.ClearFaults(1);
  link().PortUsable = 0;
  window29().Button86->Click();
  EXPECT_EQ(window29().DosingReadActive, 0);
  EXPECT_EQ(Reads().size(), 6u);
}

}  // namespace
