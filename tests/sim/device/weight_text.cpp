#include "tests/sim/device/weight_text.h"

#include <cmath>
#include <cstdio>

namespace devsim {

std::string WeightField(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%c%7.2f", value < 0 ? '-' : '+', std::fabs(value));
  return text;
}

double GrossWeight(const ChannelModel& channel) { return channel.load - channel.zero; }
double NetWeight(const ChannelModel& channel) { return GrossWeight(channel) - channel.tare; }

namespace {

std::string Fields(const ChannelModel& c) {
  return WeightField(GrossWeight(c)) + ":" + WeightField(NetWeight(c)) + ":" + WeightField(c.tare);
}

}  // namespace

std::string ChannelWeightText(const DeviceModel& model, int channel) {
  if (!model.weightTextOverride.empty()) return model.weightTextOverride;
  const ChannelModel& c = model.channels[channel == 2 ? 1 : 0];
  return "G C" + std::to_string(channel == 2 ? 2 : 1) + ":" + Fields(c) + "<";
}

std::string AllChannelsWeightText(const DeviceModel& model) {
  if (!model.weightTextOverride.empty()) return model.weightTextOverride;
  std::string text = "G C1:" + Fields(model.channels[0]);
  if (model.channelCount >= 2) text += ": C2:" + Fields(model.channels[1]);
  return text + "<";
}

std::string SumWeightText(const DeviceModel& model) {
  if (!model.sumTextOverride.empty()) return model.sumTextOverride;
  const ChannelModel& a = model.channels[0];
  const ChannelModel& b = model.channels[1];
  const double sign = model.sumIsDifference ? -1.0 : 1.0;
  return "G S C0:" + WeightField(GrossWeight(a) + sign * GrossWeight(b)) + ":" +
         WeightField(NetWeight(a) + sign * NetWeight(b)) + ":" + WeightField(a.tare + sign * b.tare) + "<";
}

}  // namespace devsim
