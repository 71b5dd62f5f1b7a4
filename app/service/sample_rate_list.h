#pragma once
// The items of the service window's sampling-rate list. The chosen item's
// index is the rate code `crate` of the set-up's ADC section.
#include <optional>
#include <string>
#include <vector>

struct SampleRateList {
  std::vector<std::string> items;
  int index = -1;  // the item to choose, -1 for none
};

// The list for the ADC `mode` (0: 25 .. 1600 per second, 1: 3 .. 20) with
// "Logfunktion aktiv" on or off, keeping the choice `index` where it can:
// without the log function mode 0 offers "800" and "1600" only while one of
// them is chosen, and mode 1 takes a choice beyond its list as "15". For any
// other mode the list stays as it is (nullopt).
std::optional<SampleRateList> SampleRateListFor(int mode, bool logFunctionActive, int index);
