#pragma once
// The device's answer to one request: what it changes in its model and the
// reply it sends. Faults are applied later, by the simulator.
#include "tests/sim/device/device_model.h"
#include "tests/sim/device/telegram.h"

namespace devsim {

struct Answer {
  bool send = true;      // false: the device sends nothing
  bool restart = false;  // the device restarts after this request
  Reply reply;
};

// `address` is the device's own address (the request may be a broadcast).
Answer HandleRequest(DeviceModel& model, const Request& request, int address);

// Length of each identification item of CMD_IDENT_DATA, 0 for unknown items.
int IdentItemSize(int item);

}  // namespace devsim
