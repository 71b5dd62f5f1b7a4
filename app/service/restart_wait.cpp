#include "app/service/restart_wait.h"

std::vector<int> RestartWaits(const RestartConditions& c) {
  if (c.powerOnZeroing) return {10000};
  if (c.softReset) return {6000};
  if (c.deviceType == 4) return {6500, 8000};
  return {8000};
}
