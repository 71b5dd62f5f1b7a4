// The extension-board page: its output telegrams and the values loop; the
// Profibus test page's byte fields.
#include "tests/app/diag/runtime_viewer_fixture.h"

namespace {

class RuntimeBoards : public RuntimeViewerTest {};

TEST_F(RuntimeBoards, OutputTelegramsOfTheExtensionBoard) {
  TForm12& w = viewer();
  struct Case {
    const char* name;
    std::function<void()> act;
    Data data;
  };
  const std::vector<Case> cases = {
      {"encoder 70000", [&] { w.Edit11->SetText("70000"); w.Button70->Click(); }, {1, 0x00, 0x01, 0x11, 0x70}},
      {"encoder -1", [&] { w.Edit11->SetText("-1"); w.Button70->Click(); }, {1, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"encoder reset", [&] { w.Button68->Click(); }, {0}},
      {"EXB reset", [&] { w.Button69->Click(); }, {0xFF}},
      {"relay 2 on", [&] { w.RadioButton16->Click(); w.RadioButton17->Click(); w.Button55->Click(); }, {2, 1, 1}},
      {"relay 1 off", [&] { w.RadioButton15->Click(); w.RadioButton18->Click(); w.Button55->Click(); }, {2, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim_.Log().Clear();
    dialogs_.Answer(IDOK);  // the link's "OK!" for the answer
    c.act();
    ASSERT_TRUE(AwaitSent(CMD_EXB_OUTPUT, 1));
    EXPECT_EQ(DataSent(CMD_EXB_OUTPUT), std::vector<Data>{c.data});
    ASSERT_TRUE(PumpUntil([&] { return dialogs_.PendingAnswers() == 0; }));
  }
  EXPECT_EQ(dialogs_.Boxes().back().request.text, "OK!");
}

TEST_F(RuntimeBoards, ARelayNeedsARelayAndAState) {
  TForm12& w = viewer();
  dialogs_.Answer(IDOK);
  w.RadioButton16->Click();
  w.Button55->Click();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "HINWEIS");
  EXPECT_TRUE(Received().empty());
}

TEST_F(RuntimeBoards, TheValuesShowInputsEncoderAndRelays) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.exbInputs = 0x05;
    m.encoderRaw = -1234;
    m.encoderScaled = 12.3456f;
    m.relays = 0x02;
  });
  TForm12& w = viewer();
  w.Button73->Click();
  EXPECT_EQ(w.Label30->Caption(), "5");
  std::vector<bool> inputs;
  for (TCheckBox* box : w.InputBoxes) inputs.push_back(box->Checked());
  EXPECT_EQ(inputs, (std::vector<bool>{true, false, true, false}));
  EXPECT_EQ(w.Label31->Caption(), "-1234");
  EXPECT_EQ(w.Label32->Caption(), "12.346");
  EXPECT_EQ(w.Label33->Caption(), "2");
  EXPECT_FALSE(w.CheckBox9->Checked());
  EXPECT_TRUE(w.CheckBox10->Checked());
  EXPECT_EQ(ReceivedOf(CMD_READ_EXB_VALUES).size(), 1u);
}

TEST_F(RuntimeBoards, TheValuesLoopShowsEachPassUntilEnde) {
  TForm12& w = viewer();
  w.Show();
  w.CheckBox4->SetChecked(true);
  WhenDuringCall([&] { return ReceivedOf(CMD_READ_EXB_VALUES).size() >= 2; }, [&] {
    sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.encoderRaw = 77; });
  });
  // Ended once a pass has shown the new count.
  auto* ender = new QTimer(guard());
  QObject::connect(ender, &QTimer::timeout, ender, [&, ender] {
    if (w.Label31->Caption() != "77") return;
    ender->stop();
    w.Button1->Click();
  });
  ender->start(5);
  w.Button73->Click();
  EXPECT_EQ(w.Label31->Caption(), "77");
  EXPECT_FALSE(w.Visible());
  EXPECT_FALSE(w.CheckBox4->Checked());
}

TEST_F(RuntimeBoards, ProfibusTestBytesAreBytes) {
  TForm12& w = viewer();
  w.PbEdits[0]->SetText("300");
  w.PbEdits[0]->OnExit(w.PbEdits[0]);
  EXPECT_EQ(w.PbEdits[0]->Text(), "255");
  w.PbEdits[1]->SetText("abc");
  w.Button12->Click();
  ASSERT_TRUE(AwaitSent(CMD_DEBUG_ACTION, 1));
  EXPECT_EQ(DataSent(CMD_DEBUG_ACTION), (std::vector<Data>{{0x1E, 255, 0, 0, 0}}));
  w.Button13->Click();
  for (TEdit* e : w.PbEdits) EXPECT_EQ(e->Text(), "");
  w.Button64->Click();
  EXPECT_TRUE(Form14->Visible());
}

}  // namespace
