#pragma once
// The input rules of the weighing-parameter dialog that need no window: the
// silent range clamps applied when a field is left, the factor and check
// interval rules, the sum range, and which set-up blocks a store writes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/link/setup_image.h"
#include "app/setup/input_checks.h"

// A field held to [low, high] when it is left. A negated field holds a lower
// limit typed as 0 .. -125: its value is tested negated.
struct ExitClamp {
  RangeCheck range;
  bool negated = false;
};

// The clamps of every clamped field of both channels, by edit name.
const std::vector<ExitClamp>& WeighingExitClamps();
const ExitClamp* WeighingExitClampOf(std::string_view edit);
// The corrected text of a field left with `text`; nothing when it stays.
std::optional<std::string> ClampedExitText(const ExitClamp& clamp, std::string_view text);

// "Faktor Kanal 1/2": a text with ',' or '.' is refused; otherwise 1 .. 255.
struct FactorCheck {
  bool refused = false;              // "Eingabe des Faktors ohne Nachkommastellen!"
  std::optional<std::string> text;   // the corrected text
};
FactorCheck CheckFactorText(std::string_view text);

// "Überprüfungsintervall [ms]": 0 (off) or 500 .. 10000; a negative value
// empties the field and keeps the focus there.
RangeCheckResult CheckIntervalText(std::string_view text);

// The aggregate value of the sum channel: F1 x N1 + F2 x N2 (sum mode 0) or
// the reference value F1 x N1 (difference mode 1), with the unit of channel 1.
struct SumRangeDisplay {
  int titleRow = 0;           // Label58: "Gesamtwert (Brutto)" or "Bezugswert (Brutto)"
  bool channelLabel = false;  // Label77 "Kanal 1" shown
  std::string value;          // Label59 "%d %s"; empty for an unknown mode
};
SumRangeDisplay SumRange(uint8_t mode, int32_t f1, int32_t f2, int32_t n1, int32_t n2, int unitIndex);

// One set-up block that a store writes, after a pause.
struct StoreBlock {
  SetupSection section;
  int pauseBeforeMs = 0;
};
// The blocks that a store on `page` of the dialog writes, in order. Page 3
// writes a channel's CHN block only while its counter or dosing group shows.
std::vector<StoreBlock> StoreBlocksOfPage(int page, bool channel1GroupsShown, bool channel2GroupsShown);
