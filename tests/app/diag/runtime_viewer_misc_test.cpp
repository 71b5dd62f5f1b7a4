// The load-cycle counter and the belt-scale values.
#include "tests/app/diag/runtime_viewer_fixture.h"

namespace {

class RuntimeMisc : public RuntimeViewerTest {};

TEST_F(RuntimeMisc, AllLoadCounterValuesOfAChannel) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.channels[1].loadCounter = {123456, 7, 89}; });
  TForm12& w = viewer();
  w.RadioButton23->Click();
  w.Button85->Click();
  EXPECT_EQ(DataSent(CMD_READ_LOAD_COUNTER), (std::vector<Data>{{2, 0}, {2, 1}, {2, 2}}));
  EXPECT_EQ(w.Label46->Caption(), "123456");
  EXPECT_EQ(w.Label47->Caption(), "7");  // nothing of the longer text before it
  EXPECT_EQ(w.Label48->Caption(), "89");

  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.channels[0].loadCounter = {1, 2, 3}; });
  w.RadioButton22->Click();
  w.RadioButton20->Click();
  w.Button84->Click();
  EXPECT_EQ(DataSent(CMD_READ_LOAD_COUNTER).back(), (Data{1, 1}));
  EXPECT_EQ(w.Label47->Caption(), "2");
  EXPECT_EQ(w.Label46->Caption(), "123456");

  w.Button83->Click();
  ASSERT_TRUE(AwaitSent(CMD_RESET_LOAD_COUNTER, 1));
  EXPECT_EQ(DataSent(CMD_RESET_LOAD_COUNTER), std::vector<Data>(1));
}

TEST_F(RuntimeMisc, ABeltScaleValueEmptiesTheOtherThree) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.channels[0].beltScale = {1.5, 2.5, 3.5, 4.25}; });
  TForm12& w = viewer();
  for (TLabel* l : {w.Label51, w.Label53, w.Label55}) l->SetCaption("old");
  w.RadioButton24->Click();
  w.RadioButton29->Click();
  w.Button86->Click();
  EXPECT_EQ(DataSent(CMD_READ_BELT_SCALE), (std::vector<Data>{{1, 3}}));
  EXPECT_EQ(w.Label57->Caption(), "4.25");
  for (TLabel* l : {w.Label51, w.Label53, w.Label55}) EXPECT_EQ(l->Caption(), "");
}

TEST_F(RuntimeMisc, ReadingWithoutAChannelOnlyAsksForOne) {
  TForm12& w = viewer();
  for (TButton* b : {w.Button84, w.Button85, w.Button86}) {
    dialogs_.Answer(IDOK);
    b->Click();
  }
  ASSERT_EQ(dialogs_.Boxes().size(), 3u);
  for (const auto& box : dialogs_.Boxes()) {
    EXPECT_EQ(box.request.text, "Bitte Kanal wählen!");
    EXPECT_EQ(box.request.title, "HINWEIS");
    EXPECT_EQ(box.request.icon, BoxIcon::Information);
  }
  EXPECT_TRUE(Received().empty());
}

TEST_F(RuntimeMisc, AnUnansweredReadKeepsTheLabels) {
  TForm12& w = viewer();
  w.Label46->SetCaption("42");
  w.RadioButton22->Click();
  w.RadioButton19->Click();
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).On(CMD_READ_LOAD_COUNTER).Times(2));
  w.Button84->Click();
  EXPECT_EQ(w.Label46->Caption(), "42");
  EXPECT_EQ(ReceivedOf(CMD_READ_LOAD_COUNTER).size(), 2u);
}

}  // namespace
