#pragma once
// Weight texts of CMD_READ_WEIGHT. A value field is a sign followed by the
// amount right-aligned in 7 characters with 2 decimals ("+  12.50").
//   one channel  [0, ch]: "G C1:+  12.50:+  12.50:+   0.00<"      (gross, net, tare)
//   all channels [0x0A]:  "G C1:<g>:<n>:<t>: C2:<g>:<n>:<t><"     (channel 2 part only with 2 channels)
//   sum          [0x14]:  "G S C0:<g>:<n>:<t><"                    (third character 'S')
#include <string>

#include "tests/sim/device/device_model.h"

namespace devsim {

std::string WeightField(double value);
double GrossWeight(const ChannelModel& channel);
double NetWeight(const ChannelModel& channel);
std::string ChannelWeightText(const DeviceModel& model, int channel);  // channel 1 or 2
std::string AllChannelsWeightText(const DeviceModel& model);
std::string SumWeightText(const DeviceModel& model);

}  // namespace devsim
