#include "app/setup/setup_transfer_plan.h"

namespace {
using enum SetupSection;
}  // namespace

DeviceRead DeviceReadOf(SetupSection section, uint16_t base, std::string_view hardwareVersion) {
  const SectionInfo& info = Info(section);
  if (section == GBL) return {0, info.size, false};
  if (section == SAV) {
    if (hardwareVersion.substr(0, 4) == "1002") return {FACTORY_DATA_ADDR, info.size, false};
    return {0, info.size, true};
  }
  return {base + info.copy_offset, info.size, false};
}

const std::array<TransferStep, 13>& ReadAllSteps() {
  static constexpr std::array<TransferStep, 13> steps = {{{GBL, 5},
                                                          {ADM, 10},
                                                          {LPC, 15},
                                                          {ADC, 20},
                                                          {WKG0, 30},
                                                          {WKG1, 40},
                                                          {WKS, 50},
                                                          {CHN0, 60},
                                                          {CHN1, 70},
                                                          {EXB, 80},
                                                          {MSC, 85},
                                                          {ADM, 90},
                                                          {SAV, 100}}};
  return steps;
}

const std::array<TransferStep, 11>& WriteAllSteps() {
  static constexpr std::array<TransferStep, 11> steps = {{{GBL, 5},
                                                          {ADM, 10},
                                                          {LPC, 20},
                                                          {ADC, 30},
                                                          {WKG0, 50},
                                                          {WKG1, 60},
                                                          {WKS, 65},
                                                          {CHN0, 70},
                                                          {CHN1, 80},
                                                          {EXB, 90},
                                                          {MSC, 95}}};
  return steps;
}

std::string ReadFailureMessage(SetupSection section) {
  return std::string("ERROR! -> Read Setup (") + Info(section).name + ")";
}

std::string WriteFailureMessage(SetupSection section) {
  return std::string("ERROR -> Write Setup (") + (section == ADC ? "ADC+CAL" : Info(section).name) + ")";
}

int SectionReadIndex(SetupSection section) {
  switch (section) {
    case GBL:
      return 0;
    case LPC:
      return 1;
    case ADC:
      return 2;
    case WKG0:
      return 3;
    case WKG1:
      return 4;
    case WKS:
      return 5;
    case CHN0:
      return 6;
    case CHN1:
      return 7;
    case EXB:
      return 8;
    case MSC:
      return 9;
    case ADM:
      return 10;
    case SAV:
      return 11;
  }
  return 0;
}
