#include "app/link/device_variants.h"

#include <cstdio>

#include "app/link/setup_image.h"

namespace {

constexpr const char* kMilliVolt = "+/- 3 mV/V";
constexpr const char* kVolt = "0..10 V";
constexpr const char* kMilliAmpere = "4..20 mA";

constexpr ChannelSignal MvV{InputType::MilliVoltPerVolt, kMilliVolt, true};
constexpr ChannelSignal Volt{InputType::Volt, kVolt, false};
constexpr ChannelSignal MilliAmpere{InputType::MilliAmpere, kMilliAmpere, false};

struct HardwareRow {
  const char* code;
  int deviceType;
};

// Device types of the known boards, in the order the codes are compared.
constexpr std::array<HardwareRow, 6> kBoards{{
    {"1001", 1},
    {"1003", 2},
    {"1002", 3},
    {"3001", 4},
    {"4001", 7},
    {"4002", 6},
}};

}  // namespace

std::optional<VariantAdaptation> VariantAdaptationFor(int variant) {
  switch (variant) {
    case 1:
    case 2:
    case 3:
    case 11:
      return VariantAdaptation{variant, true, MvV, std::nullopt, true};
    case 21:
      return VariantAdaptation{variant, false, MvV, MvV, true};
    case 22:
      return VariantAdaptation{variant, false, MvV, Volt, true};
    case 23:
      return VariantAdaptation{variant, false, MvV, MilliAmpere, true};
    case 24:
      return VariantAdaptation{variant, false, Volt, Volt, false};
    case 25:
      return VariantAdaptation{variant, false, MilliAmpere, MilliAmpere, false};
    case 32:
      return VariantAdaptation{variant, false, Volt, MvV, true};
    case 33:
      return VariantAdaptation{variant, false, MilliAmpere, MvV, true};
    default:
      return std::nullopt;
  }
}

std::optional<HardwareAdaptation> HardwareAdaptationFor(std::string_view hardwareCode, int variant, bool exbFitted) {
  const std::string_view code = hardwareCode.substr(0, 4);
  for (const HardwareRow& row : kBoards) {
    if (code != row.code) continue;
    HardwareAdaptation a;
    a.deviceType = row.deviceType;
    const std::string_view c = row.code;
    const bool withExb = c == "1001" || c == "1003";
    const bool withExbPages = withExb || c == "3001";
    a.addressEditEnabled = c == "1002" && variant == 3;
    a.profibusMenu = withExb;
    a.deviceDataLabel = withExbPages;
    a.exbMenus = withExb && exbFitted;
    a.globalParameterMenu = c != "3001";
    if (c == "1002")
      a.channel2ParameterMenu = variant >= 10;
    else if (withExbPages)
      a.channel2ParameterMenu = variant >= 10 && variant != 11;
    a.exbPages = withExbPages;
    a.incrementalMenu = withExb;
    a.noExtensionBoard = !withExbPages;
    return a;
  }
  return std::nullopt;
}

std::optional<bool> DeviceListMenuFor(int variant) {
  if (variant == 3) return true;
  if (variant == 2 || variant == 11 || variant == 21 || variant == 25) return false;
  return std::nullopt;
}

SetupCopyChoice SetupCopyFor(int replyByte) {
  switch (replyByte) {
    case 0:
      return {"SETUP1", SETUP_BASE_1, false};
    case 1:
      return {"SETUP2", SETUP_BASE_2, false};
    case 2:
      return {"DEFAULT (SET1)", SETUP_BASE_1, true};
    default:
      return {"FAIL", SETUP_BASE_1, false};
  }
}

std::string DeviceClockText(const std::array<uint8_t, 10>& clock) {
  static constexpr std::array<const char*, 7> kDays{"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
  const char* day = clock[7] < kDays.size() ? kDays[clock[7]] : "??";
  char text[64];
  std::snprintf(text, sizeof text, "%.2d.%.2d.%.2d   %.2d:%.2d:%.2d    %2s", clock[4], clock[5], clock[6], clock[3],
                clock[2], clock[1], day);
  return text;
}
