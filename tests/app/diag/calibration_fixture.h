#pragma once
// The calibration windows beside the service window, connected through the
// link to a simulated device whose set-up has been read, with polling
// stopped so that the device's log shows only the windows' requests.
#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/diag/external_calibration.h"
#include "app/diag/internal_calibration.h"
#include "app/diag/theoretical_calibration.h"
#include "app/params/multipoint_calibration.h"
#include "app/program/password_dialog.h"
#include "app/service/load_calibration.h"
#include "tests/app/service/service_fixture.h"

class CalibrationTest : public ServiceTest {
 protected:
  void SetUp() override {
    ServiceTest::SetUp();
    forms_ = std::make_unique<Forms>();
  }
  void TearDown() override {
    forms_.reset();
    ServiceTest::TearDown();
  }

  // Connected, the set-up read, polling stopped and the device's log empty.
  void Ready() {
    Connect();
    link().FlushLink();
    PollingActive = 0;
    ASSERT_EQ(link().SetupPresent, 1);
    sim_.Log().Clear();
  }

  // The data of every request of `command` that the device received, oldest first.
  std::vector<std::vector<uint8_t>> DataSent(uint8_t command) const {
    std::vector<std::vector<uint8_t>> data;
    for (const auto& frame : ReceivedOf(command)) data.push_back(DataOf(frame));
    return data;
  }
  // The bytes of a value that travels as text: 0x01, then the characters.
  static std::vector<uint8_t> TextValue(const std::string& text) {
    std::vector<uint8_t> data{0x01};
    std::copy(text.begin(), text.end(), std::back_inserter(data));
    return data;
  }
  // The commands that the device received, only those of `commands`, oldest first.
  std::vector<int> CommandsAmong(const std::vector<int>& commands) const {
    std::vector<int> seen;
    for (int c : ReceivedCommands())
      if (std::find(commands.begin(), commands.end(), c) != commands.end()) seen.push_back(c);
    return seen;
  }

 private:
  struct Forms {
    ScopedForm<TForm17> form17{Form17};
    ScopedForm<TForm22> form22{Form22};
    ScopedForm<TForm26> form26{Form26};
    ScopedForm<TForm19> form19{Form19};
    ScopedForm<TForm13> form13{Form13};
    ScopedForm<TForm6> form6{Form6};
  };
  std::unique_ptr<Forms> forms_;
};
