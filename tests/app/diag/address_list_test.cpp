// The device address window: the bus scan against several simulated
// devices, the choice of the current address, the cycle time and the
// cyclic search.
#include "app/diag/address_list.h"
#include "tests/app/link/link_fixture.h"

namespace {

devsim::SimOptions FastPresence() {
  devsim::SimOptions options;
  // The presence replies come one after another, well within one listening window.
  options.presenceSpacing = std::chrono::milliseconds(10);
  return options;
}

size_t CountOfSearches(const std::vector<std::vector<uint8_t>>& frames) {
  return static_cast<size_t>(std::count_if(frames.begin(), frames.end(),
                                           [](const auto& f) { return f.size() > 3 && f[3] == CMD_SEARCH_DEVICES; }));
}

class AddressList : public LinkTest {
 protected:
  AddressList() : LinkTest(FastPresence()) {}
  TForm9& window() { return *Form9; }

  std::vector<int> CheckedRows() const {
    std::vector<int> rows;
    for (int k = 1; k <= 16; ++k)
      if (Form9->PresenceBoxes[static_cast<size_t>(k - 1)]->Checked()) rows.push_back(k);
    return rows;
  }
  std::vector<int> GreenPanels() const {
    std::vector<int> rows;
    for (int k = 1; k <= 16; ++k)
      if (Form9->AddressPanels[static_cast<size_t>(k - 1)]->Color() == clGreen) rows.push_back(k);
    return rows;
  }
  bool SearchIdle() const {
    return link().PendingCount == 0 && !Form9->Label20->Visible() && Form9->Button18->Enabled();
  }
  TForm1& link() const { return *Form1; }
};

TEST_F(AddressList, TheBusScanMarksEveryAnsweringAddressAndOneIsChosen) {
  for (int address : {3, 16, 40}) sim_.AddDevice(address);
  // Marks of an earlier scan are forgotten, a device above 16 is not.
  link().RequestQueues[2].Present = 1;
  window().PresenceBoxes[1]->SetChecked(true);

  window().Button18->Click();
  // The three searches are queued; the select buttons wait for their end.
  EXPECT_EQ(CheckedRows(), std::vector<int>{});
  ASSERT_TRUE(PumpUntil([&] { return CountOfSearches(Received()) == 3 && SearchIdle(); }, std::chrono::seconds(30)));
  EXPECT_EQ(CheckedRows(), (std::vector<int>{1, 3, 16}));
  EXPECT_EQ(link().RequestQueues[40].Present, 1);
  for (const auto& frame : Received()) EXPECT_EQ(frame[1], ADDR_GLOBAL);
  for (TButton* b : window().SelectButtons) EXPECT_TRUE(b->Enabled());
  EXPECT_EQ(GreenPanels(), std::vector<int>{1});
  EXPECT_FALSE(link().Timer8->Enabled());

  // "Auswahl" of address 3: the next request of any window goes there.
  window().SelectButtons[2]->Click();
  EXPECT_EQ(link().DeviceAddress, 3);
  EXPECT_EQ(GreenPanels(), std::vector<int>{3});
  EXPECT_EQ(Form21->Edit5->Text(), "3");
  EXPECT_EQ(link().Label16->Caption(), "3");
  EXPECT_EQ(link().Label16->Font().Color(), clGreen);
  sim_.Log().Clear();
  ASSERT_TRUE(Request(CMD_READ_EXB_VALUES));
  ASSERT_EQ(Received().size(), 1u);
  EXPECT_EQ(Received()[0][1], 3);
}

TEST_F(AddressList, AnAddressOutsideTheRowsLightsNoPanelButIsShown) {
  link().DeviceAddress = 20;
  window().ShowCurrentAddress();
  EXPECT_TRUE(GreenPanels().empty());
  EXPECT_EQ(Form21->Edit5->Text(), "20");
  EXPECT_EQ(link().Label16->Caption(), "20");
}

TEST_F(AddressList, APresenceFlagOtherThanZeroOrOneLeavesItsMark) {
  window().PresenceBoxes[4]->SetChecked(true);
  window().PresenceBoxes[5]->SetChecked(true);
  link().RequestQueues[5].Present = 2;
  link().RequestQueues[6].Present = 0;
  window().ShowDevicePresence();
  EXPECT_TRUE(window().PresenceBoxes[4]->Checked());
  EXPECT_FALSE(window().PresenceBoxes[5]->Checked());
}

TEST_F(AddressList, TheCycleTimeIsAtLeast5000) {
  struct Case {
    const char* typed;
    const char* kept;
  };
  for (const Case& c : {Case{"4999", "5000"}, Case{"", "5000"}, Case{"abc", "5000"}, Case{"-7000", "5000"},
                        Case{"5000", "5000"}, Case{"99999", "99999"}, Case{"6000ms", "6000ms"}}) {
    window().Edit1->SetText(c.typed);
    window().Edit1Exit(nullptr);
    EXPECT_EQ(window().Edit1->Text(), c.kept) << "typed " << c.typed;
  }
}

TEST_F(AddressList, TheCyclicSearchRunsUntilTheWindowIsClosed) {
  window().Show();
  window().CheckBox17->SetChecked(true);
  window().Edit1->SetText("6000");
  window().Button18->Click();
  EXPECT_TRUE(link().Timer8->Enabled());
  EXPECT_EQ(link().Timer8->Interval(), 6000);
  ASSERT_TRUE(PumpUntil([&] { return CountOfSearches(Received()) == 3 && SearchIdle(); }, std::chrono::seconds(30)));
  // The next cycle polls again.
  ASSERT_TRUE(PumpUntil([&] { return CountOfSearches(Received()) == 6 && SearchIdle(); }, std::chrono::seconds(60)));

  // Closed by its close box: the cycle ends after one more poll, as with "Beenden".
  link().DeviceAddress = 9;
  window().Close();
  EXPECT_FALSE(window().Visible());
  EXPECT_FALSE(window().CheckBox17->Checked());
  EXPECT_EQ(link().Options.vd417_adr, 9);
  ASSERT_TRUE(PumpUntil([&] { return !link().Timer8->Enabled(); }, std::chrono::seconds(60)));
  ASSERT_TRUE(PumpUntil([&] { return SearchIdle(); }, std::chrono::seconds(30)));
  EXPECT_LE(CountOfSearches(Received()), 9u);
}

TEST_F(AddressList, ASearchDisconnectsTheServiceWindowFirst) {
  ServiceConnected = 1;
  window().PollDevices();
  EXPECT_EQ(ServiceConnected, 0);
  EXPECT_EQ(Form21->Button1->Caption(), "Verbinden");
  ASSERT_TRUE(PumpUntil([&] { return CountOfSearches(Received()) == 3 && SearchIdle(); }, std::chrono::seconds(30)));
  EXPECT_EQ(CheckedRows(), std::vector<int>{1});
}

TEST_F(AddressList, TheCyclicSearchBelongsToTheExpertView) {
  auto shown = [&] {
    return std::vector<bool>{window().CheckBox17->Visible(), window().Edit1->Visible(), window().Label19->Visible()};
  };
  // Without supervisor mode the click on "Geräteadresse" changes nothing.
  window().CheckBox17->SetVisible(false);
  window().Edit1->SetVisible(false);
  window().Label19->SetVisible(false);
  Form21->Label7Click(nullptr);
  EXPECT_EQ(shown(), (std::vector<bool>{false, false, false}));
  link().SupervisorMode = 1;
  Form21->Label7Click(nullptr);
  EXPECT_EQ(shown(), (std::vector<bool>{true, true, true}));
  Form21->Label7Click(nullptr);
  EXPECT_EQ(shown(), (std::vector<bool>{false, false, false}));
}

TEST_F(AddressList, CaptionsInEnglish) {
  link().Options.lang = 1;
  window().ChangeLanguage();
  EXPECT_EQ(window().Caption(), "Device adresses");
  EXPECT_EQ(window().AddressLabels[15]->Caption(), "Device adress 16");
  EXPECT_EQ(window().SelectButtons[0]->Caption(), "Select");
  EXPECT_EQ(window().Button18->Caption(), "Device search");
  EXPECT_EQ(window().Label20->Caption(), "-> Please wait...");
  EXPECT_EQ(window().Label19->Caption(), "ms");
}

}  // namespace
