// The codec's device write, against a simulated device on a pseudo-terminal.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/setup/setup_editor.h"
#include "platform/clock/clock.h"
#include "platform/serial/com_port.h"
#include "tests/sim/device/device_simulator.h"
#include "tests/sim/device/protocol.h"
#include "tests/app/link/link_fixture.h"
#include "tests/support/qt_test_env.h"
#include "tests/support/scripted_dialogs.h"

namespace {

using Bytes = std::vector<uint8_t>;

class DeviceWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    platform::Clock::SetScale(0.1);
    windows_ = std::make_unique<LinkWindows>();
    form3_ = std::make_unique<ScopedForm<TForm3>>(Form3);
    sim_.AddDevice(1);
    Form1->ComPort1->SetPort(sim_.SlavePath());
    Form1->PortUsable = 1;
    Form1->Timer6->SetEnabled(false);
    AwaitPromptAnswersPatiently(*Form1, sim_);
    Form1->DeviceVariant = 21;
    SetupBase = SETUP_BASE_1;
  }

  void TearDown() override {
    form3_.reset();
    windows_.reset();
    SetupBase = 0;
    platform::Clock::SetScale(1.0);
  }

  // Data bytes of the block writes that the device received.
  std::vector<Bytes> BlockWrites() const {
    std::vector<Bytes> writes;
    for (const devsim::LogEntry& e : sim_.Log().Entries(devsim::Direction::Received))
      if (e.bytes.size() > 11 && e.bytes[3] == devsim::CMD_BLOCK_WRITE)
        writes.emplace_back(e.bytes.begin() + 6, e.bytes.end() - 3);
    return writes;
  }

  Bytes DeviceMemory(int address, int count) {
    return sim_.WithDevice(1, [&](devsim::DeviceModel& m) {
      return Bytes(m.memory.begin() + address, m.memory.begin() + address + count);
    });
  }

  TForm3& editor() { return **form3_; }

  ScriptedDialogs dialogs_;
  devsim::DeviceSimulator sim_;

 private:
  std::unique_ptr<LinkWindows> windows_;
  std::unique_ptr<ScopedForm<TForm3>> form3_;
};

TEST_F(DeviceWrite, GblGoesToAddressZero) {
  editor().ComboBox38->SetItemIndex(1);
  editor().ComboBox95->SetItemIndex(1);
  editor().ControlsToSetup(SECTION_GBL, CODEC_WRITE_DEVICE);
  const Bytes expected = {0x01, 0x00, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  ASSERT_EQ(BlockWrites().size(), 1u);
  EXPECT_EQ(BlockWrites()[0], (Bytes{0x00, 0x00, 0x00, 0x00, 0x08, 0x01, 0x00, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(DeviceMemory(0, 8), expected);
  EXPECT_EQ(Form1->TransferFailed, 0);
  EXPECT_EQ(Form1->DeviceErrorFlag, 0);
}

TEST_F(DeviceWrite, MscGoesToItsPlaceInTheChosenCopy) {
  editor().CheckBox48->SetChecked(true);
  editor().ComboBox98->SetItemIndex(1);
  editor().Edit139->SetText("10");
  editor().ComboBox99->SetItemIndex(1);
  editor().ComboBox100->SetItemIndex(1);
  editor().ComboBox101->SetItemIndex(1);
  editor().ControlsToSetup(SETUP_BASE_1 + 0x2A4, CODEC_WRITE_DEVICE);
  Bytes expected = {0x01, 0x01, 0x0A, 0x01, 0x01, 0x00, 0x01};
  expected.resize(32, 0xFF);
  const std::vector<Bytes> writes = BlockWrites();
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(Bytes(writes[0].begin(), writes[0].begin() + 5), (Bytes{0x02, 0xAC, 0x00, 0x00, 0x20}));
  EXPECT_EQ(DeviceMemory(0x2AC, 32), expected);
}

TEST_F(DeviceWrite, AdmLeavesTheDevicesValidFlagAndChecksum) {
  const Bytes before = DeviceMemory(SETUP_BASE_2, 4);
  SetupBase = SETUP_BASE_2;
  editor().ComboBox35->SetItemIndex(1);
  editor().CheckBox21->SetChecked(true);
  editor().ControlsToSetup(SETUP_BASE_2, CODEC_WRITE_DEVICE);
  const std::vector<Bytes> writes = BlockWrites();
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(Bytes(writes[0].begin(), writes[0].begin() + 5), (Bytes{0x02, 0xD8, 0x00, 0x00, 0x0C}));
  EXPECT_EQ(writes[0].size(), 5u + 12u);
  EXPECT_EQ(DeviceMemory(SETUP_BASE_2, 4), before);
  EXPECT_EQ(DeviceMemory(SETUP_BASE_2 + 4, 4), (Bytes{1, 0xFF, 0xFF, 1}));
}

TEST_F(DeviceWrite, NoSectionOfTheCopyIsWrittenBeforeACopyIsChosen) {
  SetupBase = 0;
  editor().ComboBox4->SetItemIndex(2);
  editor().ControlsToSetup(0x10, CODEC_WRITE_DEVICE);
  EXPECT_TRUE(BlockWrites().empty());
  EXPECT_EQ(Form1->TransferFailed, 1) << "the caller reports the write as failed";
  EXPECT_EQ(Form1->DeviceErrorFlag, 1);
  EXPECT_EQ(SectionBytes(Form1->SetupImage, SetupSection::LPC)[0], 2) << "the image is rebuilt all the same";
}

TEST_F(DeviceWrite, AFailedWriteSetsTheDeviceErrorFlag) {
  sim_.RemoveDevice(1);
  editor().ControlsToSetup(SECTION_GBL, CODEC_WRITE_DEVICE);
  EXPECT_EQ(Form1->DeviceErrorFlag, 1);
  EXPECT_EQ(Form1->TransferFailed, 1);
}

}  // namespace
