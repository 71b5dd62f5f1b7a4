#pragma once
// What the program concludes from the device's firmware version text
// ("V1.0.12"): the early firmware series, the short list of continuous
// modes, and whether weights carry five decimals.
#include <string_view>

struct FirmwareJudgement {
  bool series0 = false;          // "V0.0.2" .. "V0.0.10"
  bool shortSdcontList = false;  // "V1.0.6" and later
  bool noFiveDecimals = true;    // all but "V1.0.11" .. "V1.0.15"
};

// Versions are compared by their numbers ("V1.0.16" is later than
// "V1.0.6"); a text that is not "V<major>.<minor>.<patch>" is compared
// character by character.
FirmwareJudgement JudgeFirmwareVersion(std::string_view text);
