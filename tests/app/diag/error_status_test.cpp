// The error and status window: the stored bytes bit by bit and in hex, the
// class values on request, the clear, and the end.
#include "app/diag/error_status.h"
#include "tests/app/link/test_window_fixture.h"

namespace {

class ErrorStatus : public TestWindowTest {
 protected:
  TForm11& window() { return *Form11; }
  // Numbers (1-based) of the checked boxes.
  std::vector<int> Checked() {
    std::vector<int> boxes;
    for (size_t i = 0; i < window().CheckBoxes.size(); ++i)
      if (window().CheckBoxes[i]->Checked()) boxes.push_back(static_cast<int>(i) + 1);
    return boxes;
  }
  std::vector<std::vector<uint8_t>> ErrorRequests() const {
    std::vector<std::vector<uint8_t>> data;
    for (const auto& f : ReceivedOf(CMD_ERROR_CODES)) data.push_back(DataOf(f));
    return data;
  }
};

struct Bytes {
  const char* name;
  uint8_t error1, error2, status;
  int deviceType;
  std::vector<int> checked;
  const char* hex[3];
  bool battery;
};

TEST_F(ErrorStatus, ActivationShowsTheStoredBytesBitByBitAndInHex) {
  const Bytes cases[] = {
      {"nothing", 0, 0, 0, 1, {}, {"0x00", "0x00", "0x00"}, false},
      // Bit 6 of error byte 1, all of error byte 2, bit 5 of the status byte show in hex only;
      // bit 1 of the status byte only on a battery device.
      {"all bits", 0xFF, 0xFF, 0xFF, 1, {1, 2, 3, 4, 5, 6, 8, 17, 19, 20, 21, 23, 24}, {"0xFF", "0xFF", "0xFF"}, false},
      {"battery device", 0x40, 0x81, 0x02, 4, {18}, {"0x40", "0x81", "0x02"}, true},
      {"low battery elsewhere", 0x21, 0, 0x22, 2, {1, 6}, {"0x21", "0x00", "0x22"}, false},
      {"single bits", 0x80, 0x01, 0x91, 1, {8, 17, 21, 24}, {"0x80", "0x01", "0x91"}, false},
  };
  for (const Bytes& c : cases) {
    SCOPED_TRACE(c.name);
    link().ErrorCodes = {c.error1, c.error2};
    link().DeviceStatus = c.status;
    link().DeviceType = c.deviceType;
    window().Label38->SetCaption("INIT : 1 / 0x01");
    for (TCheckBox* box : window().CheckBoxes) box->SetChecked(true);
    window().ActivateWindow(nullptr);
    EXPECT_EQ(Checked(), c.checked);
    EXPECT_EQ(window().Label44->Caption(), c.hex[0]);
    EXPECT_EQ(window().Label45->Caption(), c.hex[1]);
    EXPECT_EQ(window().Label46->Caption(), c.hex[2]);
    EXPECT_EQ(window().Label49->Visible(), c.battery);
    EXPECT_EQ(window().Label50->Visible(), c.battery);
    EXPECT_EQ(window().Label38->Caption(), " ");
  }
  EXPECT_TRUE(Received().empty()) << "the activation sends nothing";
}

TEST_F(ErrorStatus, RefreshReadsTheDeviceAndShowsItsBytes) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.errorCodes = {0x0C, 0x00};
    m.statusBits = DEVICE_STATUS_OVERLOAD;
  });
  window().Button3->Click();
  EXPECT_EQ(ErrorRequests(), (std::vector<std::vector<uint8_t>>{{1, 0}}));
  EXPECT_EQ(window().Label44->Caption(), "0x0C");
  EXPECT_EQ(Checked(), (std::vector<int>{3, 4, 17, 19}));
}

TEST_F(ErrorStatus, EachClassNameReadsItsClassAndShowsTheValue) {
  struct Class {
    TLabel* TForm11::*label;
    uint8_t mask;
    uint8_t value;
    const char* shown;
  };
  const Class classes[] = {
      {&TForm11::Label12, 0x01, 1, "INIT : 1 / 0x01"},     {&TForm11::Label13, 0x02, 0x2A, "SETUP : 42 / 0x2A"},
      {&TForm11::Label14, 0x04, 0, "COM : 0 / 0x00"},      {&TForm11::Label15, 0x08, 0x21, "ADC : 33 / 0x21"},
      {&TForm11::Label36, 0x10, 0xFF, "LC : 255 / 0xFF"},  {&TForm11::Label16, 0x20, 7, "HW : 7 / 0x07"},
      {&TForm11::Label35, 0x80, 0x80, "PB : 128 / 0x80"},
  };
  sim_.WithDevice(1, [&](devsim::DeviceModel& m) {
    for (const Class& c : classes) m.errorClasses[c.mask] = c.value;
  });
  for (const Class& c : classes) {
    sim_.Log().Clear();
    TLabel* label = window().*c.label;
    label->OnClick(label);
    EXPECT_EQ(ErrorRequests(), (std::vector<std::vector<uint8_t>>{{1, c.mask}})) << c.shown;
    EXPECT_EQ(window().Label38->Caption(), c.shown);
  }
}

TEST_F(ErrorStatus, ClearingEmptiesTheDisplayAndTheNextActivationShowsNoOldBytes) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.errorCodes = {0x05, 0x00}; });
  window().Button3->Click();
  ASSERT_EQ(Checked(), (std::vector<int>{1, 3, 17}));
  window().Label15->OnClick(window().Label15);
  sim_.Log().Clear();

  window().Button2->Click();
  EXPECT_EQ(Checked(), std::vector<int>{});
  EXPECT_EQ(window().Label38->Caption(), " ");
  ASSERT_TRUE(PumpUntil([&] { return !ErrorRequests().empty() && link().PendingCount == 0; }));
  EXPECT_EQ(ErrorRequests(), (std::vector<std::vector<uint8_t>>{{2}}));
  std::array<uint8_t, 2> device{};
  sim_.WithDevice(1, [&](devsim::DeviceModel& m) { device = m.errorCodes; });
  EXPECT_EQ(device, (std::array<uint8_t, 2>{0, 0}));

  // The error bytes are zero; the status byte stays that of the last reply.
  window().ActivateWindow(nullptr);
  EXPECT_EQ(window().Label44->Caption(), "0x00");
  EXPECT_EQ(window().Label45->Caption(), "0x00");
  EXPECT_EQ(Checked(), std::vector<int>{17});
}

TEST_F(ErrorStatus, BeendenEmptiesTheClassValueAndCloses) {
  window().Show();
  window().Label38->SetCaption("ADC : 1 / 0x01");
  window().Button1->Click();
  EXPECT_EQ(window().Label38->Caption(), "");
  EXPECT_FALSE(window().Visible());
}

TEST_F(ErrorStatus, CaptionsFollowTheLanguageTheBitNamesStay) {
  link().Options.lang = 1;
  window().ChangeLanguage();
  EXPECT_EQ(window().Caption(), "Status - Error");
  EXPECT_EQ(window().Label1->Caption(), "Error byte 1");
  EXPECT_EQ(window().Label42->Caption() + window().Label43->Caption(), "Load-cellerror");
  EXPECT_EQ(window().Button3->Caption(), "Reread values");
  EXPECT_EQ(window().Label12->Caption(), "INIT");
  link().Options.lang = 0;
  window().ChangeLanguage();
  EXPECT_EQ(window().Label40->Caption(), "Überlast");
  EXPECT_EQ(window().Button2->Caption(), "Fehlerbytes löschen");
}

// Reads that fail: a silent device (both tries), a reply with the error
// mark, a reply that is never valid. A device error bit alone is no failure
// here: the device sets it exactly while it holds error codes.
std::vector<std::pair<const char*, devsim::Fault>> FailedReads() {
  using devsim::Fault;
  using devsim::FaultKind;
  return {{"no answer", Fault(FaultKind::NoAnswer).On(CMD_ERROR_CODES).Times(2)},
          {"error mark", Fault(FaultKind::ErrorMark).On(CMD_ERROR_CODES)},
          {"bad checksum", Fault(FaultKind::WrongChecksum).On(CMD_ERROR_CODES).Times(2)}};
}

TEST_F(ErrorStatus, AFailedClassReadShowsADashNotTheEarlierValue) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.errorClasses[0x08] = 0x21;
    m.errorCodes = {0x08, 0};  // replies carry the device error bit
  });
  for (const auto& [name, fault] : FailedReads()) {
    SCOPED_TRACE(name);
    window().Label15->OnClick(window().Label15);
    ASSERT_EQ(window().Label38->Caption(), "ADC : 33 / 0x21");
    sim_.InjectFault(1, fault);
    window().Label15->OnClick(window().Label15);
    EXPECT_EQ(window().Label38->Caption(), "ADC : -");
    ASSERT_TRUE(link().WaitUntilIdle());
  }
}

TEST_F(ErrorStatus, AFailedRefreshShowsDashesAndNoBits) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.errorCodes = {0x0C, 0x00}; });
  for (const auto& [name, fault] : FailedReads()) {
    SCOPED_TRACE(name);
    window().Button3->Click();
    ASSERT_EQ(window().Label44->Caption(), "0x0C");
    ASSERT_FALSE(Checked().empty());
    sim_.InjectFault(1, fault);
    window().Button3->Click();
    EXPECT_EQ(Checked(), std::vector<int>{});
    EXPECT_EQ(window().Label44->Caption(), "-");
    EXPECT_EQ(window().Label45->Caption(), "-");
    EXPECT_EQ(window().Label46->Caption(), "-");
    ASSERT_TRUE(link().WaitUntilIdle());
  }
}

}  // namespace
