#pragma once
// How long a device needs to come back after a reset request.
#include <vector>

struct RestartConditions {
  bool powerOnZeroing = false;  // power-on zeroing on for channel 1 or channel 2
  bool softReset = false;
  int deviceType = 0;
};

// The pauses, in ms and in order, between the reset request and the
// reconnect: 10000 with power-on zeroing, else 6000 for a soft reset, else
// 6500 and 8000 for device type 4, else 8000.
std::vector<int> RestartWaits(const RestartConditions& conditions);
