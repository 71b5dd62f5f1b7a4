// The channel input fields of the service window: nominal value and digits,
// the input signal's colour, the address field with its "OK?" path, and
// "Hold".
#include "tests/app/service/service_fixture.h"

namespace {

class ChannelFields : public ServiceTest {
 protected:
  // An RS-485 device of variant 3 at `address`, whose bus address the window stores.
  void AddressedDevice(int address) {
    auto setUp = [address](devsim::DeviceModel& m) {
      m.variant = 3;
      m.hardwareVersion = "1002";
      m.channelCount = 1;
      m.dipAddress = static_cast<uint8_t>(address);
    };
    if (address == 1) {
      sim_.WithDevice(1, setUp);
      PutDeviceSetup(SetupSection::LPC, "rs485_adr", {1});
    } else {
      devsim::DeviceModel model;
      setUp(model);
      sim_.AddDevice(address, model);
    }
  }
};

TEST_F(ChannelFields, TheNominalValueSetsTheDigitsOnOffer) {
  window().Edit1->SetText("250000");
  window().Edit1Exit(nullptr);
  EXPECT_EQ(window().Edit1->Text(), "100000");
  EXPECT_EQ(Items(window().ComboBox3), std::vector<std::string>{"6"});
  EXPECT_EQ(window().ComboBox3->Text(), "6");
  window().ComboBox3->UserType("3");
  window().ComboBox3Exit(nullptr);
  EXPECT_EQ(window().ComboBox3->Text(), "6");

  window().Edit1->SetText("1234");
  window().Edit1Exit(nullptr);
  EXPECT_EQ(Items(window().ComboBox3), (std::vector<std::string>{"4", "5", "6"}));
  window().ComboBox3->UserType("3");
  window().ComboBox3Exit(nullptr);
  EXPECT_EQ(window().ComboBox3->Text(), "4");

  // Channel 2's nominal value was never left: its digits take any text.
  window().ComboBox7->UserType("9");
  window().ComboBox7Exit(nullptr);
  EXPECT_EQ(window().ComboBox7->Text(), "9");
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

TEST_F(ChannelFields, ANominalValueWithDecimalsIsRefused) {
  window().Edit3->SetText("50");
  window().Edit3Exit(nullptr);
  ASSERT_EQ(Items(window().ComboBox7), (std::vector<std::string>{"3", "4", "5", "6"}));
  window().Edit3->SetText("12,5");
  dialogs_.Answer(IDOK);
  window().Edit3Exit(nullptr);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Eingabe der Nennkraft ohne Nachkommastellen!"});
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "HINWEIS");
  EXPECT_EQ(dialogs_.Boxes()[0].request.icon, BoxIcon::Error);
  EXPECT_EQ(window().Edit3->Text(), "12,5");
  EXPECT_EQ(Items(window().ComboBox7), (std::vector<std::string>{"3", "4", "5", "6"}));
}

TEST_F(ChannelFields, AnInputSignalBeyondThreeMillivoltPerVoltShowsRed) {
  SetupModified = 0;
  window().Edit2->SetText("3,01");
  EXPECT_EQ(window().Edit2->Font().Color(), clRed);
  EXPECT_EQ(window().Edit2->Text(), "3,01");
  EXPECT_EQ(SetupModified, 1);
  window().Edit2->SetText("2,75");
  EXPECT_EQ(window().Edit2->Font().Color(), clBlack);
  window().Edit4->SetText("-3.5");
  EXPECT_EQ(window().Edit4->Font().Color(), clRed);
}

TEST_F(ChannelFields, AddressesOutsideOneToOneHundredTwentyFiveAreRefusedOnLeaving) {
  // Typing and the program's own writes raise no message.
  window().Edit5->SetText("");
  window().Edit5->SetText("0");
  EXPECT_TRUE(dialogs_.Boxes().empty());
  dialogs_.Answer(IDOK);
  window().Edit5Exit(nullptr);
  dialogs_.Answer(IDOK);
  window().Edit5->SetText("200");
  window().Edit5Exit(nullptr);
  window().Edit5->SetText("125");
  window().Edit5Exit(nullptr);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Adresse 0 ist nicht zulässig! -> Bitte neue Adresse wählen.",
                                                  "Adresse nicht zulässig! -> Bitte eine Adresse von 1 bis 125 wählen."}));
}

TEST_F(ChannelFields, OkStoresANewBusAddressRestartsAndConnectsToIt) {
  AddressedDevice(1);
  AddressedDevice(5);
  Connect();
  ASSERT_EQ(link().DeviceVariant, 3);
  EXPECT_FALSE(window().Button6->Visible());
  window().Edit5->SetText("5");
  ASSERT_TRUE(window().Button6->Visible());
  sim_.Log().Clear();
  dialogs_.Answer(IDYES);
  window().Button6->Click();
  EXPECT_EQ(BoxTexts().back(), "Neue Adresse im Gerät speichern?");
  // The one byte to the device at the old address, then the soft reset there.
  const std::vector<BlockWrite> expected{{SETUP_BASE_1 + 0x1D, {5}}};
  EXPECT_EQ(BlockWrites(), expected);
  const auto received = sim_.Log().Entries(devsim::Direction::Received);
  ASSERT_FALSE(received.empty());
  EXPECT_EQ(received.front().bytes[1], 1);
  EXPECT_EQ(CountOf(CMD_RESET, {1}), 1u);
  // Connected again, now to address 5.
  EXPECT_EQ(link().DeviceAddress, 5);
  EXPECT_EQ(ServiceConnected, 1);
  EXPECT_EQ(received.back().bytes[1], 5);
  EXPECT_FALSE(window().Button6->Visible());
  EXPECT_EQ(SetupModified, 1);
}

TEST_F(ChannelFields, AnsweringNoHidesOkAndMarksTheWindowModified) {
  AddressedDevice(1);
  Connect();
  window().Edit5->SetText("7");
  ASSERT_TRUE(window().Button6->Visible());
  SetupModified = 0;
  sim_.Log().Clear();
  dialogs_.Answer(IDNO);
  window().Button6->Click();
  EXPECT_FALSE(window().Button6->Visible());
  EXPECT_EQ(SetupModified, 1);
  EXPECT_TRUE(BlockWrites().empty());
  EXPECT_EQ(CountOf(CMD_RESET), 0u);
  EXPECT_EQ(link().DeviceAddress, 1);
}

TEST_F(ChannelFields, OtherVariantsOfferNoOk) {
  Connect();
  window().Edit5->SetText("7");
  EXPECT_FALSE(window().Button6->Visible());
  // The address counts from the next connect.
  EXPECT_EQ(link().DeviceAddress, 1);
}

TEST_F(ChannelFields, HoldKeepsTheLastValueOfChannelOne) {
  window().Button8Click(nullptr);
  EXPECT_FALSE(window().Label24->Visible());
  Connect();
  ASSERT_TRUE(PumpUntil([&] { return window().Label11->Caption() == "1 :      12.50"; }));
  window().Button8Click(nullptr);
  EXPECT_TRUE(window().Label24->Visible());
  EXPECT_EQ(window().Label24->Caption(), "1 :      12.50");
}

}  // namespace
