#pragma once
// The crane-scale set-up window with its protocol form and the multipoint
// calibration dialog, beside the service window and the set-up editor,
// talking to a simulated device whose set-up copy 1 is in use.
#include <algorithm>
#include <memory>
#include <vector>

#include "app/params/crane_protocol.h"
#include "app/params/crane_setup.h"
#include "app/params/multipoint_calibration.h"
#include "tests/app/service/service_fixture.h"

class CraneTest : public ServiceTest {
 protected:
  void SetUp() override {
    ServiceTest::SetUp();
    SetupBase = SETUP_BASE_1;
    forms_ = std::make_unique<Forms>();
  }
  void TearDown() override {
    forms_.reset();
    ServiceTest::TearDown();
  }

  TForm30& crane() { return *forms_->form30; }
  TForm31& protocol() { return *forms_->form31; }

  // The device's ADC section in set-up copy 1.
  std::vector<uint8_t> DeviceAdc() const {
    const devsim::DeviceModel m = sim_.Model(1);
    const auto first = m.memory.begin() + SETUP_BASE_1 + Info(SetupSection::ADC).copy_offset;
    return {first, first + Info(SetupSection::ADC).size};
  }
  std::vector<uint8_t> ImageAdc() const {
    const auto bytes = SectionBytes(Form1->SetupImage, SetupSection::ADC);
    return {bytes.begin(), bytes.end()};
  }
  // Fills the device's ADC section (both copies) with a pattern of its own.
  void PatternDeviceAdc() {
    std::vector<uint8_t> pattern(static_cast<size_t>(Info(SetupSection::ADC).size));
    for (size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<uint8_t>(i * 7 + 3);
    PutDeviceSetup(SetupSection::ADC, 0, pattern);
  }

 private:
  struct Forms {
    ScopedForm<TForm26> form26{Form26};
    ScopedForm<TForm31> form31{Form31};
    ScopedForm<TForm30> form30{Form30};
  };
  std::unique_ptr<Forms> forms_;
};
