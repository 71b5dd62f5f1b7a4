// The extension-board values window: its display rule, its buttons and its
// captions, against the simulated device.
#include <gtest/gtest.h>

#include <cstring>

#include "app/params/exb_values.h"
#include "tests/app/link/link_fixture.h"

namespace {

ExbValueBytes Values(uint8_t inputs, int32_t raw, float scaled, uint8_t relays) {
  ExbValueBytes v{};
  v[0] = inputs;
  std::memcpy(v.data() + 1, &raw, 4);
  std::memcpy(v.data() + 5, &scaled, 4);
  v[9] = relays;
  return v;
}

TEST(ExbDisplay, NumbersAndBitsOfTheValues) {
  struct Case {
    ExbValueBytes values;
    const char* inputs;
    std::array<bool, 4> inputBits;
    const char* raw;
    const char* scaled;
    const char* relays;
    std::array<bool, 2> relayBits;
  };
  const Case cases[] = {
      {Values(0x05, -3, 12.5f, 0x02), "5", {true, false, true, false}, "-3", "12.500", "2", {false, true}},
      {Values(0x0F, 0, 0.0f, 0x03), "15", {true, true, true, true}, "0", "0.000", "3", {true, true}},
      // Bits above 3 (inputs) and above 1 (relays) show in the number only.
      {Values(0xF0, 2147483647, -0.0005f, 0xFC), "240", {false, false, false, false}, "2147483647", "-0.001",
       "252", {false, false}},
      {Values(0x00, -2147483647 - 1, 1234.5678f, 0x01), "0", {}, "-2147483648", "1234.568", "1", {true, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.inputs);
    const ExbDisplay d = ExbValuesDisplay(c.values);
    EXPECT_EQ(d.inputs, c.inputs);
    EXPECT_EQ(d.inputBits, c.inputBits);
    EXPECT_EQ(d.encoderRaw, c.raw);
    EXPECT_EQ(d.encoderScaled, c.scaled);
    EXPECT_EQ(d.relays, c.relays);
    EXPECT_EQ(d.relayBits, c.relayBits);
  }
}

class ExbWindowTest : public LinkTest {
 protected:
  void SetUp() override {
    LinkTest::SetUp();
    form18_ = std::make_unique<TForm18>();
    Form18 = form18_.get();
  }
  void TearDown() override {
    Form18 = nullptr;
    form18_.reset();
    LinkTest::TearDown();
  }
  TForm18& window() { return *form18_; }

 private:
  std::unique_ptr<TForm18> form18_;
};

TEST_F(ExbWindowTest, StartsWithDotsAndShowsAReadingOfTheDevice) {
  EXPECT_EQ(window().Label30->Caption(), ".");
  EXPECT_EQ(window().Label31->Caption(), ".");
  EXPECT_EQ(window().Label32->Caption(), ".");
  EXPECT_EQ(window().Label33->Caption(), ".");

  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.exbFitted = true;
    m.exbInputs = 0x05;
    m.encoderRaw = -3;
    m.encoderScaled = 12.5f;
    m.relays = 0x02;
  });
  ASSERT_TRUE(Request(CMD_READ_EXB_VALUES));
  window().ShowValues(link().ExbValues);
  EXPECT_EQ(window().Label30->Caption(), "5");
  EXPECT_TRUE(window().CheckBox5->Checked());  // leftmost box, headed " 4", shows bit 0
  EXPECT_FALSE(window().CheckBox6->Checked());
  EXPECT_TRUE(window().CheckBox7->Checked());
  EXPECT_FALSE(window().CheckBox8->Checked());
  EXPECT_EQ(window().Label31->Caption(), "-3");
  EXPECT_EQ(window().Label32->Caption(), "12.500");
  EXPECT_EQ(window().Label33->Caption(), "2");
  EXPECT_FALSE(window().CheckBox9->Checked());
  EXPECT_TRUE(window().CheckBox10->Checked());
}

TEST_F(ExbWindowTest, ResetIsSentWithoutWaitingForAnAnswer) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.encoderRaw = 77;
    m.relays = 0x03;
  });
  window().Button2->Click();
  // The click returns with the request still queued: nothing waits for it.
  EXPECT_EQ(link().PendingCount, 1);
  ASSERT_TRUE(link().WaitUntilIdle());
  ASSERT_TRUE(sim_.Log().WaitFor([](const auto& entries) {
    for (const devsim::LogEntry& e : entries)
      if (e.direction == devsim::Direction::Received && e.bytes.size() > 3 && e.bytes[3] == CMD_EXB_OUTPUT) return true;
    return false;
  }, std::chrono::seconds(10)));
  const auto frames = Received();
  ASSERT_EQ(frames.size(), 1u);
  ASSERT_GE(frames[0].size(), 7u);
  EXPECT_EQ(frames[0].size(), 10u);  // STX, header, one data byte, checksum, ETX
  EXPECT_EQ(frames[0][6], 0);
  EXPECT_EQ(sim_.Model(1).encoderRaw, 0);
  EXPECT_EQ(sim_.Model(1).relays, 0);
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

TEST_F(ExbWindowTest, BeendenAndTheCloseBoxUntickTheMenuEntry) {
  for (bool byButton : {true, false}) {
    SCOPED_TRACE(byButton ? "Beenden" : "close box");
    Form21->Inkrementalwerte1->SetChecked(true);
    window().Show();
    ASSERT_TRUE(window().Visible());
    if (byButton)
      window().Button1->Click();
    else
      window().Close();
    EXPECT_FALSE(window().Visible());
    EXPECT_FALSE(Form21->Inkrementalwerte1->Checked());
  }
}

TEST_F(ExbWindowTest, CaptionsInBothLanguages) {
  struct Case {
    int lang;
    std::array<const char*, 8> texts;
  };
  const Case cases[] = {
      {1, {"Extention board", "Extention board values", "Inputs", "Incr.-encoder(raw)", "Incr.-encoder(scal)",
           "Relais 1/2", "Reset", "Exit"}},
      {0, {"EXB", "EXB-Werte", "Inputs", "Incr.-geber (raw)", "Incr.-geber (scal)", "Relais 1/2", "Reset",
           "Beenden"}},
  };
  for (const Case& c : cases) {
    link().Options.lang = static_cast<uint8_t>(c.lang);
    window().ChangeLanguage();
    const std::array<std::string, 8> shown = {
        window().Caption(),           window().Label16->Caption(), window().Label27->Caption(),
        window().Label28->Caption(),  window().Label34->Caption(), window().Label29->Caption(),
        window().Button2->Caption(),  window().Button1->Caption()};
    for (size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(shown[i], c.texts[i]) << "lang " << c.lang << ", item " << i;
  }
  // The column labels and values keep their texts.
  EXPECT_EQ(window().Label1->Caption(), " 4");
  EXPECT_EQ(window().Label6->Caption(), " 2");
}

}  // namespace
