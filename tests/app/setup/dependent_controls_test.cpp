// The editor's dependent-control rules and input checks, as a user meets them.
#include <QWidget>

#include "tests/app/setup/editor_fixture.h"

namespace {

using enum SetupSection;

class Rules : public EditorTest {
 protected:
  // Types into an edit and leaves it, as a user does.
  static void TypeAndLeave(TEdit* edit, const std::string& text) {
    edit->SetText(text);
    FireEvent(edit->OnExit, edit);
  }
};

TEST_F(Rules, ChannelCountHidesAndRestoresTheSecondChannel) {
  TForm3& e = editor();
  e.ComboBox5->UserSelect(1);
  e.ComboBox8->SetItemIndex(0);
  e.ComboBox82->SetItemIndex(0);
  e.CheckBox36->SetChecked(true);
  e.ComboBox77->SetItemIndex(3);
  ASSERT_TRUE(e.CheckBox36->Checked());

  e.ComboBox5->UserSelect(0);
  for (TGroupBox* g : {e.GroupBox6, e.GroupBox9, e.GroupBox15, e.GroupBox45, e.GroupBox25})
    EXPECT_FALSE(g->Visible()) << g->Name();
  EXPECT_EQ(e.ComboBox42->Text(), "Kanal 1");
  EXPECT_FALSE(e.ComboBox42->Enabled());
  EXPECT_EQ(e.ComboBox43->Text(), "continous conversation mode");
  EXPECT_FALSE(e.ComboBox43->Enabled());
  EXPECT_EQ(e.ComboBox77->ItemIndex(), 0);
  EXPECT_FALSE(e.ComboBox77->Enabled());
  EXPECT_EQ(e.ComboBox80->ItemIndex(), 0);
  EXPECT_FALSE(e.CheckBox36->Checked());

  e.ComboBox5->UserSelect(1);
  for (TGroupBox* g : {e.GroupBox6, e.GroupBox9, e.GroupBox15, e.GroupBox45, e.GroupBox25})
    EXPECT_TRUE(g->Visible()) << g->Name();
  EXPECT_EQ(e.ComboBox43->Text(), "single conversation mode");
  EXPECT_TRUE(e.ComboBox77->Enabled());
  EXPECT_FALSE(e.CheckBox36->Checked()) << "the sum channel stays off";
  e.ComboBox5->SetItemIndex(0);  // no handler runs
  EXPECT_TRUE(e.GroupBox6->Visible());
  e.ComboBox28->UserSelect(1);
  EXPECT_FALSE(e.GroupBox6->Visible()) << "the hidden list applies the channel count list";
}

TEST_F(Rules, CalibrationGroupsFollowTheirListsAndTheVariant) {
  TForm3& e = editor();
  e.ComboBox16->UserSelect(0);
  EXPECT_FALSE(e.GroupBox8->Visible());
  e.ComboBox16->UserSelect(1);
  EXPECT_TRUE(e.GroupBox8->Visible());
  EXPECT_TRUE(e.Edit25->Visible());
  for (int variant : {11, 3}) {
    Form1->DeviceVariant = variant;
    e.GroupBox9->Show();
    e.ComboBox17->UserSelect(0);
    EXPECT_TRUE(e.GroupBox9->Visible()) << "variant " << variant;
  }
  for (int variant : {10, 12}) {
    Form1->DeviceVariant = variant;
    e.ComboBox17->UserSelect(0);
    EXPECT_FALSE(e.GroupBox9->Visible()) << "variant " << variant;
    e.ComboBox17->UserSelect(1);
    EXPECT_TRUE(e.GroupBox9->Visible()) << "variant " << variant;
  }
}

TEST_F(Rules, PointCountShowsThePointsInUse) {
  TForm3& e = editor();
  const std::array<TEdit*, 8> xs = {e.Edit4, e.Edit8, e.Edit21, e.Edit23, e.Edit18, e.Edit27, e.Edit29, e.Edit31};
  const std::array<TEdit*, 8> ys = {e.Edit5, e.Edit20, e.Edit22, e.Edit24, e.Edit26, e.Edit28, e.Edit30, e.Edit32};
  struct Case {
    const char* text;
    int shown;
    const char* after;
  };
  const Case cases[] = {{"5", 5, "5"}, {"8", 8, "8"}, {"9", 8, "8"}, {"0", 0, "0"}, {"", 0, ""}, {"-3", 8, "-3"},
                        {"2", 2, "2"}};
  for (const Case& c : cases) {
    e.Edit25->SetText(c.text);
    EXPECT_EQ(e.Edit25->Text(), c.after) << c.text;
    for (int k = 0; k < 8; ++k) {
      EXPECT_EQ(xs[static_cast<size_t>(k)]->Visible(), k < c.shown) << c.text << " x[" << k << "]";
      EXPECT_EQ(ys[static_cast<size_t>(k)]->Visible(), k < c.shown) << c.text << " y[" << k << "]";
    }
  }
  EXPECT_TRUE(dialogs_.Boxes().empty());
  dialogs_.Answer(IDCANCEL);  // the box is shown again until it returns OK
  dialogs_.Answer(IDOK);
  e.Edit51->SetText("1");
  EXPECT_EQ(dialogs_.Boxes().size(), 2u);
  EXPECT_EQ(e.Edit51->Text(), "");
  EXPECT_FALSE(e.Edit33->Visible());
}

TEST_F(Rules, CalibrationSetRecalibrationAndFilterType) {
  TForm3& e = editor();
  e.ComboBox40->UserSelect(1);
  e.ComboBox41->UserSelect(0);
  EXPECT_TRUE(e.ComboBox23->Enabled());
  EXPECT_TRUE(e.Label65->Enabled());
  EXPECT_FALSE(e.ComboBox24->Enabled()) << "channel 2 follows its own list";
  EXPECT_FALSE(e.Label70->Enabled());
  e.ComboBox15->UserSelect(0);
  EXPECT_FALSE(e.Edit14->Enabled());
  e.ComboBox15->UserSelect(2);
  EXPECT_TRUE(e.Edit14->Enabled());
  e.ComboBox19->UserSelect(0);
  EXPECT_TRUE(e.Edit12->Enabled());
  EXPECT_TRUE(e.Edit16->Enabled());
  EXPECT_FALSE(e.ComboBox96->Enabled());
  EXPECT_FALSE(e.ComboBox97->Enabled());
  e.ComboBox19->UserSelect(1);
  EXPECT_FALSE(e.Edit12->Enabled());
  EXPECT_TRUE(e.ComboBox97->Enabled());
}

TEST_F(Rules, UnitBoxesOfChannelOneEnableTheRowsOfBothChannels) {
  TForm3& e = editor();
  e.CheckBox5->SetChecked(true);
  e.CheckBox5->Click();  // the user unchecks "Kilogramm [kg]"
  EXPECT_FALSE(e.ComboBox33->Enabled());
  EXPECT_FALSE(e.ComboBox7->Enabled());
  EXPECT_FALSE(e.Edit91->Enabled());
  e.CheckBox5->Click();
  e.CheckBox26->SetChecked(true);
  e.CheckBox26->Click();  // channel 2's box only evaluates channel 1's again
  EXPECT_TRUE(e.ComboBox7->Enabled());
  EXPECT_TRUE(e.ComboBox73->Enabled());
}

TEST_F(Rules, FreeScaleDivisionEditsFollowTheirLists) {
  TForm3& e = editor();
  e.ComboBox29->UserSelect(0);
  EXPECT_TRUE(e.Edit76->Visible());
  e.ComboBox29->UserSelect(5);
  EXPECT_FALSE(e.Edit76->Visible());
  e.ComboBox65->UserSelect(0);
  EXPECT_TRUE(e.Edit98->Visible());
  e.ComboBox90->UserSelect(0);
  EXPECT_TRUE(e.Edit136->Visible());
  e.ComboBox90->UserSelect(3);
  EXPECT_FALSE(e.Edit136->Visible());
  EXPECT_TRUE(e.Edit135->Visible()) << "channel 1's counter edit untouched";
}

TEST_F(Rules, SumChannelNeedsTwoChannelsWithTheSamePowerOnUnit) {
  TForm3& e = editor();
  e.ComboBox5->UserSelect(1);
  e.ComboBox8->UserSelect(0);
  e.ComboBox82->UserSelect(1);
  e.CheckBox36->Click();
  EXPECT_FALSE(e.CheckBox36->Checked()) << "different units";
  e.ComboBox82->UserSelect(0);
  e.CheckBox36->Click();
  EXPECT_TRUE(e.CheckBox36->Checked());
  e.ComboBox8->UserSelect(2);
  EXPECT_FALSE(e.CheckBox36->Checked());
}

TEST_F(Rules, InterfaceGroupsAndMirroredBaudRates) {
  TForm3& e = editor();
  e.ComboBox4->UserSelect(3);
  EXPECT_TRUE(e.GroupBox26->Visible());
  EXPECT_FALSE(e.GroupBox1->Visible());
  EXPECT_TRUE(e.Label83->Visible());
  e.ComboBox4->UserSelect(0);
  EXPECT_FALSE(e.Label83->Visible());
  EXPECT_FALSE(e.CheckBox1->Visible());
  e.ComboBox4->UserSelect(2);
  EXPECT_FALSE(e.ComboBox14->Enabled());
  e.ComboBox4->UserSelect(1);
  EXPECT_TRUE(e.ComboBox14->Enabled());
  e.ComboBox14->UserSelect(4);
  EXPECT_EQ(e.ComboBox6->Text(), "19200");
  e.ComboBox6->UserSelect(8);
  EXPECT_EQ(e.ComboBox14->Text(), "115200");
}

TEST_F(Rules, DigitalInputsAndEncoder) {
  TForm3& e = editor();
  e.CheckBox14->SetChecked(true);
  e.CheckBox14->Click();
  for (TCheckBox* box : {e.CheckBox15, e.CheckBox40, e.CheckBox41, e.CheckBox42, e.CheckBox43})
    EXPECT_FALSE(box->Enabled()) << box->Caption();
  e.CheckBox14->Click();
  e.CheckBox40->SetChecked(true);
  e.CheckBox41->SetChecked(true);
  e.CheckBox40->Click();
  e.CheckBox41->Click();
  EXPECT_FALSE(e.CheckBox42->Enabled());
  e.CheckBox41->Click();
  EXPECT_TRUE(e.CheckBox42->Enabled());
  e.CheckBox16->SetChecked(true);
  e.CheckBox16->Click();
  EXPECT_FALSE(e.Edit36->Enabled());
  EXPECT_FALSE(e.Edit37->Enabled());
  e.CheckBox16->Click();
  EXPECT_TRUE(e.Edit37->Enabled());
}

TEST_F(Rules, RelaySwitchingConditions) {
  TForm3& e = editor();
  struct Case {
    TRadioButton* TForm3::*button;
    bool type, channel, limit, times;
  };
  const Case cases[] = {{&TForm3::RadioButton7, true, true, true, true},
                        {&TForm3::RadioButton3, false, true, false, true},
                        {&TForm3::RadioButton4, false, false, false, false},
                        {&TForm3::RadioButton9, false, false, false, false}};
  Section(WKG0)[0] = 2;
  for (const Case& c : cases) {
    (e.*c.button)->Click();
    EXPECT_EQ(e.ComboBox76->Enabled(), c.type) << (e.*c.button)->Caption();
    EXPECT_EQ(e.ComboBox77->Enabled(), c.channel) << (e.*c.button)->Caption();
    for (TControl* control : {static_cast<TControl*>(e.Edit38), static_cast<TControl*>(e.Edit39),
                              static_cast<TControl*>(e.ComboBox78)})
      EXPECT_EQ(control->Enabled(), c.limit) << (e.*c.button)->Caption();
    EXPECT_EQ(e.Edit131->Enabled(), c.times) << (e.*c.button)->Caption();
    EXPECT_EQ(e.Edit132->Enabled(), c.times) << (e.*c.button)->Caption();
  }
  // One channel in the image: the channel list is forced to "Kanal 1".
  Section(WKG0)[0] = 1;
  e.ComboBox80->SetItemIndex(1);
  e.RadioButton8->Click();
  EXPECT_EQ(e.ComboBox80->ItemIndex(), 0);
  EXPECT_FALSE(e.ComboBox80->Enabled());

  e.CheckBox19->SetChecked(true);
  e.CheckBox19->Click();
  for (TControl* control : {static_cast<TControl*>(e.CheckBox20), static_cast<TControl*>(e.RadioButton8),
                            static_cast<TControl*>(e.ComboBox79), static_cast<TControl*>(e.Edit134)})
    EXPECT_FALSE(control->Enabled()) << control->Name();
  e.CheckBox19->Click();
  EXPECT_TRUE(e.Edit134->Enabled());
}

TEST_F(Rules, RelayOnBothChannelsIsAGrossLimit) {
  TForm3& e = editor();
  e.ComboBox76->SetItemIndex(1);
  e.ComboBox77->UserSelect(2);
  EXPECT_EQ(e.ComboBox76->Text(), "Brutto");
  EXPECT_FALSE(e.ComboBox76->Enabled());
  e.ComboBox77->UserSelect(3);
  EXPECT_TRUE(e.ComboBox76->Enabled());
}

TEST_F(Rules, ExternalDisplay) {
  TForm3& e = editor();
  e.ComboBox18->SetItemIndex(1);
  e.CheckBox48->Click();
  EXPECT_EQ(e.ComboBox18->Text(), "AUS") << "the display takes the interface";
  e.ComboBox18->SetItemIndex(1);
  e.CheckBox48->Click();
  EXPECT_EQ(e.ComboBox18->Text(), "EIN") << "unchecking changes nothing";

  e.ComboBox101->SetItemIndex(1);
  e.ComboBox98->UserSelect(1);
  EXPECT_EQ(e.ComboBox101->Text(), "Data | CR/LF");
  EXPECT_EQ(e.ComboBox101->Item(0), "STX | Adr | Data | ETX");
  EXPECT_TRUE(e.Edit139->Enabled());
  e.ComboBox101->SetItemIndex(-1);
  e.ComboBox98->UserSelect(0);
  EXPECT_EQ(e.ComboBox101->ItemIndex(), -1);
  EXPECT_EQ(e.ComboBox101->Item(0), "STX | Data | ETX");
  EXPECT_FALSE(e.Edit139->Enabled());

  e.ComboBox99->SetItemIndex(2);
  e.ComboBox100->UserSelect(2);
  EXPECT_EQ(e.ComboBox99->Text(), "Brutto");
  EXPECT_FALSE(e.ComboBox99->Enabled());
  e.ComboBox100->SetItemIndex(0);
  FireEvent(e.ComboBox100->OnExit, e.ComboBox100);
  EXPECT_TRUE(e.ComboBox99->Enabled()) << "leaving the list runs the rule too";
}

TEST_F(Rules, ExtensionBoardModuleSwitchesBothExtensionBoardPages) {
  TForm3& e = editor();
  TPageControl* pages = e.PageControl1;
  e.CheckBox21->SetChecked(true);
  e.CheckBox21->Click();
  EXPECT_FALSE(pages->PageByCaption("EXB_1")->TabVisible());
  EXPECT_FALSE(pages->PageByCaption("EXB_2")->TabVisible());
  EXPECT_TRUE(pages->PageByCaption("LKZ / BW")->TabVisible()) << "the load-cycle page is no extension board page";
  e.CheckBox50->Click();
  EXPECT_FALSE(pages->PageByCaption("EXB_1")->TabVisible()) << "the display module box applies the EXB state";
  e.CheckBox21->Click();
  EXPECT_TRUE(pages->PageByCaption("EXB_1")->TabVisible());
  EXPECT_TRUE(pages->PageByCaption("EXB_2")->TabVisible());
  EXPECT_TRUE(pages->PageByCaption("MSC")->TabVisible());
}

TEST_F(Rules, FactoryGroupsUnlockTheirOwnValues) {
  TForm3& e = editor();
  EXPECT_FALSE(e.Edit87->Enabled());
  EXPECT_TRUE(e.Edit87->ReadOnly());
  e.GroupBox25->Click();
  EXPECT_TRUE(e.Edit87->Enabled());
  EXPECT_FALSE(e.Edit88->ReadOnly());
  EXPECT_TRUE(e.Button53->Enabled());
  EXPECT_FALSE(e.Edit85->Enabled());
  EXPECT_FALSE(e.Button52->Enabled());
}

TEST_F(Rules, RangeChecksRunWhenTheUserLeavesAnEdit) {
  TForm3& e = editor();
  struct Case {
    TEdit* TForm3::*edit;
    const char* typed;
    const char* shown;
  };
  const Case cases[] = {
      {&TForm3::Edit60, "300", "250"},  {&TForm3::Edit60, "12abc", "12abc"}, {&TForm3::Edit108, "5", "10"},
      {&TForm3::Edit62, "abc", "abc"},  {&TForm3::Edit110, "-3", "0"},       {&TForm3::Edit67, "50", "20"},
      {&TForm3::Edit69, "250", "200"},  {&TForm3::Edit126, "201", "200"},    {&TForm3::Edit121, "130", "125"},
      {&TForm3::Edit129, "0", "1"},     {&TForm3::Edit133, "10", "50"},      {&TForm3::Edit134, "0", "0"},
      {&TForm3::Edit138, "61", "60"},   {&TForm3::Edit16, "65", "64"},       {&TForm3::Edit139, "-1", "0"},
      {&TForm3::Edit142, "100", "500"}, {&TForm3::Edit142, "3000", "2500"},  {&TForm3::Edit116, "0", "1"},
  };
  for (const Case& c : cases) {
    TypeAndLeave(e.*c.edit, c.typed);
    EXPECT_EQ((e.*c.edit)->Text(), c.shown) << (e.*c.edit)->Name() << " " << c.typed;
  }
  EXPECT_EQ(e.Edit139->MaxLength(), 2) << "two characters at most";
}

TEST_F(Rules, NegativeIntervalEmptiesTheEditAndKeepsTheFocus) {
  TForm3& e = editor();
  e.Show();
  e.Activate();
  e.PageControl1->SetActivePageIndex(3);
  ASSERT_TRUE(PumpUntil([&] { return e.Widget()->isVisible(); }));
  e.Edit142->SetFocus();
  e.Edit142->SetText("-5");
  e.Edit41->SetFocus();
  EXPECT_TRUE(PumpUntil([&] { return e.Edit142->Focused(); }));
  EXPECT_EQ(e.Edit142->Text(), "");
  e.Hide();
}

}  // namespace
