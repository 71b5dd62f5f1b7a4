// The run-time blocks 0, 1, 2, 3/4/5 and 9 as the pages GBL, ADM, LPC, ADC
// and TEST DEBUG show them.
#include "tests/app/diag/runtime_viewer_fixture.h"

namespace {

class RuntimeStructures : public RuntimeViewerTest {};

TEST_F(RuntimeStructures, TheGlobalBlockShowsItsTwoBytes) {
  Data block(8, 0xFF);
  block[0] = 0x01;
  block[1] = 0x00;
  SetBlock(0, block);
  viewer().Button17->Click();
  EXPECT_EQ(DataSent(CMD_DEBUG_VARS), (std::vector<Data>{{0, 1, 0}}));
  EXPECT_EQ(Texts(viewer().GblEdits), (std::vector<std::string>{"01", "00"}));
}

TEST_F(RuntimeStructures, TheAdministrationBlockShowsNineBytes) {
  SetBlock(1, Counting(0xA0, 16));
  viewer().Button2->Click();
  EXPECT_EQ(DataSent(CMD_DEBUG_VARS), (std::vector<Data>{{1, 1, 0}}));
  EXPECT_EQ(Texts(viewer().AdmEdits),
            (std::vector<std::string>{"A0", "A1", "A2", "A3", "A4", "A5", "A6", "A7", "A8"}));
  EXPECT_EQ(viewer().AdmEdits[7]->Name(), "adm_exb");
  EXPECT_EQ(viewer().AdmEdits[7]->EditLabel()->Caption(), "exb");
}

TEST_F(RuntimeStructures, TheInterfaceBlockShowsBytes0To20) {
  Data block = Counting(0, 32);
  block[1] = 0x0A;
  SetBlock(2, block);
  viewer().Button3->Click();
  const std::vector<std::string> shown = Texts(viewer().LpcEdits);
  ASSERT_EQ(shown.size(), 21u);
  EXPECT_EQ(shown[1], "0A");  // co_active
  EXPECT_EQ(shown[13], "0D");  // rs485_adr
  EXPECT_EQ(shown[20], "14");  // pb_toggle; bytes 21..31 appear nowhere
  EXPECT_EQ(viewer().LpcEdits[20]->Name(), "pb_toggle");
  EXPECT_FALSE(viewer().LpcEdits[2]->Enabled());  // ch
}

TEST_F(RuntimeStructures, TheExtensionStructureFillsTwoLinesOfHexBytes) {
  SetBlock(9, Counting(0, 64));
  viewer().Button21->Click();
  std::string first, second;
  for (int i = 0; i < 32; ++i) {
    char group[4];
    std::snprintf(group, sizeof group, "%02X ", i);
    first += group;
    std::snprintf(group, sizeof group, "%02X ", i + 32);
    second += group;
  }
  EXPECT_EQ(viewer().Edit7->Text(), first);
  EXPECT_EQ(viewer().Edit8->Text(), second);
  EXPECT_EQ(viewer().Edit7->Text().size(), 96u);
}

TEST_F(RuntimeStructures, TheAdcPageShowsBothChannelsAndTheCommonPart) {
  Data ch1{0x11, 0x22, 0x33, 0x44, 0x55, 0x00, 0x00, 0x01, 0x02, 0x66, 0x77};
  ch1.resize(128, 0xEE);
  Data ch2{0x81, 0x82, 0x83, 0x84, 0x85, 0xDE, 0xAD, 0xBE, 0xEF, 0x86, 0x87};
  ch2.resize(128, 0xDD);
  SetBlock(3, ch1);
  SetBlock(4, ch2);
  SetBlock(5, {0x01, 0x02, 0xAA, 0xBB, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0xCC});
  TForm12& w = viewer();
  // Parts of the image that no block of this page belongs to.
  std::fill(w.RuntimeImage.begin() + RUNTIME_EXT_S, w.RuntimeImage.end(), uint8_t{0x5A});
  w.Button5->Click();

  EXPECT_EQ(DataSent(CMD_DEBUG_VARS), (std::vector<Data>{{3, 1, 0}, {4, 1, 0}, {5, 1, 0}}));
  auto channel = [](const TForm12::AdcChannelEdits& e) {
    return std::vector<std::string>{e.CSR->Text(),   e.calstart->Text(), e.calcoll->Text(), e.lg->Text(),
                                    e.len->Text(),   e.level->Text(),    e.calib->Text(),   e.smax->Text()};
  };
  EXPECT_EQ(channel(w.AdcChannels[0]), (std::vector<std::string>{"11", "22", "33", "44", "55", "00000102", "66", "77"}));
  EXPECT_EQ(channel(w.AdcChannels[1]), (std::vector<std::string>{"81", "82", "83", "84", "85", "DEADBEEF", "86", "87"}));
  EXPECT_EQ(Texts(w.AdcCommonEdits),
            (std::vector<std::string>{"01", "02", "03", "04", "05", "06", "07", "08", "09"}));
  // None of the blocks carries calibration data: the fields say so.
  EXPECT_EQ(w.AdcChannels[0].xs[3]->Text(), "--------");
  // The 128-byte blocks stayed in their channel's 32 bytes.
  EXPECT_EQ(w.RuntimeImage[RUNTIME_AD + 160 + 31], 0xEE);
  EXPECT_EQ(w.RuntimeImage[RUNTIME_AD + 192], 0x81);
  EXPECT_EQ(w.RuntimeImage[RUNTIME_AD + 236], 0xFF);
  for (int i = RUNTIME_EXT_S; i < RUNTIME_IMAGE_SIZE; ++i) ASSERT_EQ(w.RuntimeImage[static_cast<size_t>(i)], 0x5A) << i;
}

TEST_F(RuntimeStructures, AReadWithoutAnswerShowsNoOlderValues) {
  SetBlock(0, {0x01, 0x02, 0, 0, 0, 0, 0, 0});
  SetBlock(3, Counting(0x40, 128));
  TForm12& w = viewer();
  w.Button17->Click();
  ASSERT_EQ(Texts(w.GblEdits), (std::vector<std::string>{"01", "02"}));
  // A reply to another block is in the reply buffer when the next read gets none.
  w.Button5->Click();
  ASSERT_EQ(w.AdcChannels[0].CSR->Text(), "40");
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).On(CMD_DEBUG_VARS).Times(2));
  w.Button17->Click();
  EXPECT_EQ(link().TransferFailed, 1);
  EXPECT_EQ(Texts(w.GblEdits), (std::vector<std::string>{"-", "-"}));
  // Block 3 unanswered, block 4 answered: each channel shows only its own reply.
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).On(CMD_DEBUG_VARS).Times(2));
  w.Button5->Click();
  EXPECT_EQ(w.AdcChannels[0].CSR->Text(), "-");
  EXPECT_EQ(w.AdcChannels[1].CSR->Text(), "00");
}

TEST_F(RuntimeStructures, ModeButtonsShowTheModeAtOnceAndTheEraseNamesTheChannel) {
  TForm12& w = viewer();
  w.Button37->Click();
  EXPECT_EQ(link().StatusBar1->Panel(10).Text, "SINGLE");
  EXPECT_EQ(Form21->StatusBar1->Panel(3).Text, "SINGLE");
  ASSERT_TRUE(AwaitSent(CMD_ADC_MODE, 1));
  w.Button36->Click();
  EXPECT_EQ(link().StatusBar1->Panel(10).Text, "CONT");
  ASSERT_TRUE(AwaitSent(CMD_ADC_MODE, 2));
  EXPECT_EQ(DataSent(CMD_ADC_MODE), (std::vector<Data>{{1, 0}, {0, 0}}));

  dialogs_.Answer(IDOK);  // "OK!"
  w.Button82->Click();
  EXPECT_EQ(DataSent(CMD_FACTORY_DATA), (std::vector<Data>{{0x96, 1}}));
  EXPECT_EQ(sim_.Model(1).channels[1].factoryCal[0], 0xFF);
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "OK!");
}

}  // namespace
