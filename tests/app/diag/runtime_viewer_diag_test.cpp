// The diagnosis page: items 0..7, the raw bytes shown, and its loop.
#include "tests/app/diag/runtime_viewer_fixture.h"

namespace {

class RuntimeDiagnosis : public RuntimeViewerTest {};

TEST_F(RuntimeDiagnosis, EachItemIsReadAndItsDataBytesShownInHex) {
  TForm12& w = viewer();
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    for (uint8_t item = 0; item < 8; ++item) m.diagData[item] = {0x01, 0xA0, static_cast<uint8_t>(0x70 + item)};
  });
  for (uint8_t item = 0; item < 8; ++item) {
    SCOPED_TRACE(w.DiagItems[item]->Caption());
    sim_.Log().Clear();
    w.DiagItems[item]->Click();
    w.Button8->Click();
    ASSERT_TRUE(AwaitSent(CMD_DIAG_READ, 1));
    EXPECT_EQ(DataSent(CMD_DIAG_READ), std::vector<Data>{{item}});
    char text[16];
    std::snprintf(text, sizeof text, "01 A0 %02X ", 0x70 + item);
    // Item 6 is sent only: its answer goes out over Profibus, nothing is shown.
    EXPECT_EQ(w.Edit1->Text(), item == 6 ? "" : text);
  }
  w.Button10->Click();
  EXPECT_EQ(w.Edit1->Text(), "");
}

TEST_F(RuntimeDiagnosis, AnAnswerWithoutDataClearsTheFieldAndNoAnswerMarksIt) {
  TForm12& w = viewer();
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.diagData[0] = {}; });
  w.Edit1->SetText("FF ");
  w.Button8->Click();
  EXPECT_EQ(w.Edit1->Text(), "");
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).On(CMD_DIAG_READ).Times(2));
  w.Button8->Click();
  EXPECT_EQ(w.Edit1->Text(), "-");
}

TEST_F(RuntimeDiagnosis, TheLoopPausesBetweenReadsUntilItsSwitchIsCleared) {
  TForm12& w = viewer();
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.diagData[3] = {0x33}; });
  w.DiagItems[3]->Click();
  w.Edit2->SetText("300");
  w.CheckBox1->SetChecked(true);
  const int64_t start = TForm1::NowMs();
  WhenDuringCall([&] { return ReceivedOf(CMD_DIAG_READ).size() >= 3; }, [&] { w.CheckBox1->Click(); });
  w.Button8->Click();
  const int elapsed = TForm1::ElapsedMs(start);
  EXPECT_FALSE(w.CheckBox1->Checked());
  EXPECT_EQ(w.Edit1->Text(), "33 ");
  // Three reads with a pause of 300 ms after each of the first two at least.
  EXPECT_GE(elapsed, 600);
  for (const Data& d : DataSent(CMD_DIAG_READ)) EXPECT_EQ(d, Data{3});
}

}  // namespace
