// The section display and the codec's side effects on the real editor.
#include <bit>

#include "tests/app/setup/editor_fixture.h"

namespace {

using enum SetupSection;

class DisplayTest : public EditorTest {};

TEST_F(DisplayTest, FilterLengthFollowsTheFilterTypeOfTheImage) {
  Bytes adc = Default(ADC);
  adc[230] = 1;
  adc[164] = 12;
  Put(ADC, adc);
  editor().Edit12->SetText("33");
  Display(ADC);
  EXPECT_EQ(editor().ComboBox96->ItemIndex(), 3);
  EXPECT_EQ(editor().ComboBox96->Text(), "8");
  EXPECT_EQ(editor().Edit12->Text(), "33") << "the edit is not touched";

  adc[230] = 0;
  Put(ADC, adc);
  editor().ComboBox96->SetItemIndex(6);
  Display(ADC);
  EXPECT_EQ(editor().Edit12->Text(), "12");
  EXPECT_EQ(editor().ComboBox96->ItemIndex(), 6);
  EXPECT_TRUE(editor().Edit12->Enabled());
  EXPECT_FALSE(editor().ComboBox96->Enabled());

  adc[230] = 2;
  adc[164] = 16;
  Put(ADC, adc);
  Display(ADC);
  EXPECT_EQ(editor().Edit12->Text(), "12");
  EXPECT_EQ(editor().ComboBox96->ItemIndex(), 6);
}

TEST_F(DisplayTest, BridgeIntervalIsShownInMilliseconds) {
  Bytes adc = Default(ADC);
  adc[236] = 25;
  Put(ADC, adc);
  Display(ADC);
  EXPECT_EQ(editor().Edit142->Text(), "2500");
}

TEST_F(DisplayTest, SingleChannelVariantsShowOneChannelAndFixTheImage) {
  Put(WKG0, Default(WKG0));
  Form1->DeviceVariant = 5;
  Display(WKG0);
  EXPECT_EQ(editor().ComboBox5->Text(), "1");
  EXPECT_EQ(Section(WKG0)[0], 1) << "mk set to 1 in the image";
  EXPECT_FALSE(editor().GroupBox6->Visible());

  Put(WKG0, Default(WKG0));
  Form1->DeviceVariant = 10;
  Display(WKG0);
  EXPECT_EQ(editor().ComboBox5->Text(), "2");
  EXPECT_EQ(Section(WKG0)[0], 2);

  Bytes adc = Default(ADC);
  adc[231] = 1;
  Put(ADC, adc);
  Form1->DeviceVariant = 11;
  Display(ADC);
  EXPECT_EQ(editor().ComboBox42->ItemIndex(), 0) << "start channel forced to \"Kanal 1\"";
  Form1->DeviceVariant = 12;
  Display(ADC);
  EXPECT_EQ(editor().ComboBox42->ItemIndex(), 1);
}

TEST_F(DisplayTest, RateListDependsOnTheFirmware) {
  Put(LPC, Default(LPC));
  Display(LPC);
  EXPECT_EQ(editor().ComboBox94->Text(), "dauerhaft EIN") << "before the first connection";
  Form1->ShortSdcontList = 1;
  Display(LPC);
  EXPECT_EQ(editor().ComboBox94->Text(), "5");
  EXPECT_EQ(editor().ComboBox94->ItemCount(), 3);
}

TEST_F(DisplayTest, WeighingSectionOverridesStartChannelAndAdcMode) {
  Bytes adc = Default(ADC);
  adc[231] = 1;  // start channel 2
  adc[234] = 0;  // continuous conversion
  Put(ADC, adc);
  Display(ADC);
  EXPECT_EQ(editor().ComboBox43->ItemIndex(), 0);
  Put(WKG0, Default(WKG0));
  Display(WKG0);
  EXPECT_EQ(editor().ComboBox42->Text(), "Kanal 1");
  EXPECT_EQ(editor().ComboBox43->Text(), "single conversation mode");
}

TEST_F(DisplayTest, RelayWithSeveralConditionsShowsTheLastInOrder) {
  Bytes exb = Default(EXB);
  exb[16 + 5] = 1;  // sti
  exb[16 + 4] = 1;  // value
  Put(EXB, exb);
  Display(EXB);
  EXPECT_TRUE(editor().RadioButton7->Checked()) << "\"Grenzwert\"";
  EXPECT_FALSE(editor().RadioButton3->Checked());
}

TEST_F(DisplayTest, FreeCountEditKeepsItsTextWhenAScaleIsChosen) {
  Bytes chn = Default(CHN0);
  chn[1] = 0;  // kg row: free count
  PutInt32(chn, 3, 4711);
  Put(CHN0, chn);
  Display(CHN0);
  EXPECT_EQ(editor().Edit66->Text(), "4711");
  EXPECT_TRUE(editor().Edit66->Visible());
  chn[1] = 3;
  Put(CHN0, chn);
  Display(CHN0);
  EXPECT_EQ(editor().Edit66->Text(), "4711");
  EXPECT_FALSE(editor().Edit66->Enabled());
  EXPECT_FALSE(editor().Edit66->Visible());
}

TEST_F(DisplayTest, UnitFlagsOfTheImageEnableTheRows) {
  Bytes wkg = Default(WKG0);
  wkg[2] = 0;  // no tonnes
  Put(WKG0, wkg);
  Put(CHN0, Default(CHN0));
  Display(CHN0);
  EXPECT_TRUE(editor().ComboBox33->Enabled());
  EXPECT_FALSE(editor().ComboBox29->Enabled());
  EXPECT_FALSE(editor().ComboBox32->Enabled());
}

TEST_F(DisplayTest, FactoryDataWithoutSerialNumber) {
  Bytes sav(64, 0);
  sav[0] = 0x1F;
  sav[1] = 0xA0;
  sav[2] = 0;
  const char pd[] = "0124";
  std::copy(pd, pd + 4, sav.begin() + 10);
  sav[14] = 21;
  PutUInt32(sav, 32, 0x00123456);
  PutUInt32(sav, 52, 0xFFFFFFFF);
  Put(SAV, sav);
  editor().SetupToControls(SECTION_SAV);
  EXPECT_EQ(editor().Edit83->Text(), "ext_s-Workaround-ERROR!");
  EXPECT_EQ(editor().Edit84->Text(), "0124");
  EXPECT_EQ(editor().Edit82->Text(), "1F A0");
  EXPECT_EQ(editor().Edit85->Text(), "00123456");
  EXPECT_EQ(editor().Edit88->Text(), "FFFFFFFF");
  EXPECT_EQ(editor().Edit100->Text(), "21");
  const char sn[] = "12345678";
  std::copy(sn, sn + 8, sav.begin() + 2);
  Put(SAV, sav);
  editor().SetupToControls(SECTION_SAV);
  EXPECT_EQ(editor().Edit83->Text(), "12345678");
}

TEST_F(DisplayTest, ExtensionBoardFlagSwitchesItsTabsAndMenuItemsByName) {
  TPageControl* pages = editor().PageControl1;
  Bytes adm = Default(ADM);
  Put(ADM, adm);
  Display(ADM);
  EXPECT_TRUE(editor().CheckBox21->Checked());
  EXPECT_TRUE(pages->PageByCaption("EXB_1")->TabVisible());
  EXPECT_TRUE(pages->PageByCaption("EXB_2")->TabVisible());
  EXPECT_TRUE(Form21->ParameterExb11->Visible());

  adm[7] = 2;
  Put(ADM, adm);
  Display(ADM);
  EXPECT_FALSE(editor().CheckBox21->Checked());
  EXPECT_FALSE(pages->PageByCaption("EXB_1")->TabVisible());
  EXPECT_FALSE(pages->PageByCaption("EXB_2")->TabVisible());
  EXPECT_TRUE(pages->PageByCaption("LKZ / BW")->TabVisible()) << "not touched by the display";
  EXPECT_FALSE(Form21->ParameterExb11->Visible());
  EXPECT_FALSE(Form21->ParameterExb12->Visible());
  EXPECT_EQ(pages->PageByCaption("EXB_2")->PageIndex(), 14) << "hidden tabs keep their positions";
}

TEST_F(DisplayTest, AdmShowsChecksumAndIdentNumberInHex) {
  Bytes adm = Default(ADM);
  adm[1] = 0xAB;
  adm[2] = 0x0C;
  adm[3] = 0x7;
  adm[0] = 0;
  Put(ADM, adm);
  Display(ADM);
  EXPECT_EQ(editor().Edit3->Text(), "AB 0C");
  EXPECT_EQ(editor().Edit19->Text(), "07");
  EXPECT_TRUE(editor().RadioButton2->Checked()) << "\"Inaktiv\"";
}

TEST_F(DisplayTest, BackupFlagSwitchesRestore) {
  Bytes gbl = Default(GBL);
  gbl[2] = 1;
  Put(GBL, gbl);
  Display(GBL);
  EXPECT_TRUE(editor().Button58->Enabled());
  EXPECT_TRUE(Form21->SetupRestore1->Enabled());
  gbl[2] = 5;
  Put(GBL, gbl);
  Display(GBL);
  EXPECT_TRUE(editor().Button58->Enabled()) << "any other value leaves them";
  gbl[2] = 0;
  Put(GBL, gbl);
  Display(GBL);
  EXPECT_FALSE(editor().Button58->Enabled());
  EXPECT_FALSE(Form21->SetupRestore1->Enabled());
}

TEST_F(DisplayTest, ActiveInterfaceShowsItsGroupAndSwitchesTheProfibusMenuItem) {
  struct Case {
    uint8_t active;
    TGroupBox* TForm3::*group;
    bool indicator;
    bool profibus;
  };
  const Case cases[] = {{0, &TForm3::GroupBox1, false, false}, {1, &TForm3::GroupBox3, true, false},
                        {2, &TForm3::GroupBox43, true, true},  {3, &TForm3::GroupBox26, true, false},
                        {4, &TForm3::GroupBox2, true, false}};
  for (const Case& c : cases) {
    Bytes lpc = Default(LPC);
    lpc[0] = c.active;
    Put(LPC, lpc);
    Display(LPC);
    for (TGroupBox* g : {editor().GroupBox1, editor().GroupBox3, editor().GroupBox43, editor().GroupBox26,
                         editor().GroupBox2})
      EXPECT_EQ(g->Visible(), g == editor().*c.group) << int(c.active) << " " << g->Caption();
    EXPECT_EQ(editor().Label83->Visible(), c.indicator) << int(c.active);
    EXPECT_EQ(editor().CheckBox1->Visible(), c.indicator) << int(c.active);
    EXPECT_EQ(Form21->Profibus1->Checked(), c.profibus) << int(c.active);
  }
}

TEST_F(DisplayTest, CodesOfTheOtherCopyOrNoSectionShowNothing) {
  Bytes lpc = Default(LPC);
  lpc[13] = 42;
  Put(LPC, lpc);
  editor().SetupToControls(0x2E4);
  EXPECT_EQ(editor().Edit2->Text(), "");
  editor().SetupToControls(0x18);
  EXPECT_EQ(editor().Edit2->Text(), "42");
}

TEST_F(DisplayTest, BeforeACopyIsChosenTheAdmCodeShowsGbl) {
  SetupBase = 0;
  Bytes gbl = Default(GBL);
  gbl[0] = 1;
  Put(GBL, gbl);
  editor().SetupToControls(0);
  EXPECT_EQ(editor().ComboBox38->Text(), "Setup 2");
  EXPECT_EQ(editor().Edit19->Text(), "") << "ADM is not shown";
}

TEST_F(DisplayTest, ErasedSectionShowsEmptyListsAndAllOnesInEdits) {
  Put(WKG0, Bytes(64, 0xFF));
  Display(WKG0);
  EXPECT_EQ(editor().ComboBox8->ItemIndex(), -1);
  EXPECT_EQ(editor().Edit62->Text(), "255");
  EXPECT_EQ(editor().Edit72->Text(), "-1");
  EXPECT_EQ(editor().Edit74->Text(), "-1");
  EXPECT_EQ(editor().Edit106->Text(), "-nan");
  EXPECT_FALSE(editor().CheckBox3->Checked());
}

TEST_F(DisplayTest, CodecChecksProfibusMenuItemAlsoWithoutDeviceWrite) {
  editor().ComboBox4->SetItemIndex(2);
  editor().ControlsToSetup(Code(LPC), CODEC_UPDATE_IMAGE);
  EXPECT_TRUE(Form21->Profibus1->Checked());
  EXPECT_EQ(Section(LPC)[0], 2);
  editor().ComboBox4->SetItemIndex(3);
  editor().ControlsToSetup(Code(LPC), CODEC_UPDATE_IMAGE);
  EXPECT_FALSE(Form21->Profibus1->Checked());
}

TEST_F(DisplayTest, CodecLeavesTheImageForSavAndUnknownCodes) {
  for (size_t i = 0; i < Form1->SetupImage.size(); ++i) Form1->SetupImage[i] = static_cast<uint8_t>(i * 7);
  const SetupImageBytes before = Form1->SetupImage;
  editor().ControlsToSetup(SECTION_SAV, CODEC_WRITE_DEVICE);
  editor().ControlsToSetup(0x101, CODEC_WRITE_DEVICE);
  editor().ControlsToSetup(0x2E4, CODEC_UPDATE_IMAGE);
  EXPECT_EQ(Form1->SetupImage, before);
}

TEST_F(DisplayTest, SumModeGoesIntoTheImageAtOnce) {
  Put(WKS, Default(WKS));
  editor().ComboBox102->UserSelect(1);
  EXPECT_EQ(Section(WKS)[1], 1);
  EXPECT_EQ(editor().Label254->Caption(), "Bezugswert (Brutto)");
  editor().ComboBox102->UserSelect(0);
  EXPECT_EQ(Section(WKS)[1], 0);
  EXPECT_EQ(editor().Label254->Caption(), "Gesamtwert (Brutto)");
  EXPECT_FALSE(editor().Label291->Visible());
}

}  // namespace
