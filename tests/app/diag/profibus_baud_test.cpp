// The Profibus test panel and the temporary device baud rate.
#include "tests/app/diag/runtime_viewer_fixture.h"

namespace {

class ProfibusPanel : public RuntimeViewerTest {};

TEST_F(ProfibusPanel, EachButtonSendsItsSubCommand) {
  TForm14& p = *Form14;
  p.Edit1->SetText("300");
  p.Edit2->SetText("");
  struct Case {
    TButton* button;
    Data data;
  };
  for (const Case& c : {Case{p.Button2, {3}}, Case{p.Button4, {255, 0, 0}}, Case{p.Button6, {8, 0}},
                        Case{p.Button8, {8, 1}}, Case{p.Button7, {8, 2}}}) {
    SCOPED_TRACE(c.button->Caption());
    sim_.Log().Clear();
    c.button->Click();
    ASSERT_TRUE(AwaitSent(CMD_PROFIBUS, 1));
    EXPECT_EQ(DataSent(CMD_PROFIBUS), std::vector<Data>{c.data});
  }
  p.Edit1->SetText("44");
  sim_.Log().Clear();
  p.Button4->Click();
  ASSERT_TRUE(AwaitSent(CMD_PROFIBUS, 1));
  EXPECT_EQ(DataSent(CMD_PROFIBUS), (std::vector<Data>{{44, 0, 0}}));
}

TEST_F(ProfibusPanel, TheDipAddressIsShownOnlyFromAFreshAnswer) {
  TForm14& p = *Form14;
  EXPECT_EQ(p.Label3->Caption(), ".");
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.dipAddress = 17; });
  p.Button3->Click();
  EXPECT_EQ(DataSent(CMD_PROFIBUS), (std::vector<Data>{{2, 0, 0}}));
  EXPECT_EQ(p.Label3->Caption(), "17");
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).On(CMD_PROFIBUS).Times(2));
  p.Button3->Click();
  EXPECT_EQ(p.Label3->Caption(), "-");
}

TEST_F(ProfibusPanel, TheStateShowsAndAnUnknownStateChangesNothing) {
  TForm14& p = *Form14;
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.profibusState = 3; });
  p.Button5->Click();
  EXPECT_TRUE(p.RadioButton4->Checked());
  EXPECT_EQ(link().Label1->Caption(), "ERROR");
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.profibusState = 7; });
  p.Button5->Click();
  EXPECT_TRUE(p.RadioButton4->Checked());
  EXPECT_EQ(link().Label1->Caption(), "ERROR");
  EXPECT_EQ(DataSent(CMD_PROFIBUS), (std::vector<Data>{{0, 0, 0}, {0, 0, 0}}));
}

TEST_F(ProfibusPanel, AStateThatDoesNotComeIsNotShown) {
  TForm14& p = *Form14;
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.profibusState = 2; });
  p.Button5->Click();
  ASSERT_TRUE(p.RadioButton3->Checked());
  ASSERT_EQ(link().Label1->Caption(), "DATA EX");
  for (devsim::FaultKind kind : {devsim::FaultKind::NoAnswer, devsim::FaultKind::WrongChecksum}) {
    sim_.InjectFault(1, devsim::Fault(kind).On(CMD_PROFIBUS).Times(2));
    p.Button5->Click();
    for (TRadioButton* radio : {p.RadioButton1, p.RadioButton2, p.RadioButton3, p.RadioButton4})
      EXPECT_FALSE(radio->Checked()) << radio->Name();
    EXPECT_EQ(link().Label1->Caption(), "-");
    EXPECT_EQ(link().Label4->Caption(), "-");
    link().CommErrorCount = 0;
  }
}

class BaudRate : public RuntimeViewerTest {};

TEST_F(BaudRate, TheChosenRateGoesToTheDeviceAsItsIndex) {
  TForm2& b = *Form2;
  b.Button2->Click();  // the form's default: 9600
  ASSERT_TRUE(AwaitSent(CMD_SET_BAUD, 1));
  EXPECT_EQ(sim_.Model(1).baudIndex, 3);
  b.RateButtons[7]->Click();
  EXPECT_EQ(b.RateButtons[7]->Caption(), "76800");
  b.Button2->Click();
  ASSERT_TRUE(AwaitSent(CMD_SET_BAUD, 2));
  EXPECT_EQ(DataSent(CMD_SET_BAUD), (std::vector<Data>{{3}, {7}}));
  // The PC keeps its own rate.
  EXPECT_EQ(sim_.Model(1).baudIndex, 7);
  b.Show();
  b.Button1->Click();
  EXPECT_FALSE(b.Visible());
}

}  // namespace
