#include "app/service/sample_rate_list.h"

std::optional<SampleRateList> SampleRateListFor(int mode, bool logFunctionActive, int index) {
  SampleRateList list;
  list.index = index;
  if (mode == 0) {
    list.items = {"25", "50", "100", "200", "400"};
    if (logFunctionActive || index >= 5) list.items.push_back("800");
    if (logFunctionActive || index == 6) list.items.push_back("1600");
  } else if (mode == 1) {
    list.items = {"3", "5", "8", "12", "15", "20"};
    if (index > 5) list.index = 4;
  } else {
    return std::nullopt;
  }
  // A choice that the list does not hold shows none.
  if (list.index >= static_cast<int>(list.items.size())) list.index = -1;
  return list;
}
