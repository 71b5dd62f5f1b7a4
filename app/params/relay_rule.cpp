#include "app/params/relay_rule.h"

namespace {

constexpr int CHANNEL_1 = 0;
constexpr int CHANNEL_SUM = 3;
constexpr int HYSTERESIS_OFF = 3;

// The channel list of a switch point or standstill: fixed to channel 1 on a
// one-channel device.
void ChannelChoice(RelayGroupState& g, const RelayRuleContext& c) {
  if (c.oneChannel) g.channelIndex = CHANNEL_1;
  g.channelEnabled = !c.oneChannel;
}

// From board firmware 1.4 on, switch point and standstill relays pull in.
void Polarity(RelayGroupState& g, const RelayRuleContext& c) {
  if (c.exbFirmwareV14) {
    g.polarityOffEnabled = false;
    g.polarityOnEnabled = true;
    g.polarityOn = true;
  } else {
    g.polarityOffEnabled = true;
  }
}

}  // namespace

void ApplyRelayRule(RelayGroupState& g, const RelayRuleContext& c) {
  if (!g.active) {
    g.polarityOffEnabled = g.polarityOnEnabled = g.conditionsEnabled = false;
    g.typeEnabled = g.channelEnabled = g.hysteresisModeEnabled = false;
    g.setPointEnabled = g.hysteresisEnabled = g.onTimeEnabled = g.delayEnabled = false;
    return;
  }
  g.polarityOffEnabled = g.polarityOnEnabled = g.conditionsEnabled = true;
  switch (g.condition) {
    case SwitchCondition::Error:
    case SwitchCondition::LoadCellError:
      g.typeEnabled = g.channelEnabled = g.hysteresisModeEnabled = false;
      if (c.relay == 1) g.hysteresisIndex = HYSTERESIS_OFF;
      g.setPointEnabled = g.hysteresisEnabled = false;
      g.onTimeEnabled = g.delayEnabled = false;
      g.onTime = "0";
      g.delay = "0";
      break;
    case SwitchCondition::Standstill:
      ChannelChoice(g, c);
      g.typeEnabled = false;
      g.hysteresisModeEnabled = false;
      g.hysteresisIndex = HYSTERESIS_OFF;
      g.hysteresisEnabled = g.setPointEnabled = false;
      g.onTimeEnabled = g.delayEnabled = true;
      Polarity(g, c);
      break;
    case SwitchCondition::SetPoint:
      ChannelChoice(g, c);
      g.typeEnabled = g.channelIndex != CHANNEL_SUM;
      g.setPointEnabled = g.hysteresisModeEnabled = true;
      g.hysteresisEnabled = g.hysteresisIndex != HYSTERESIS_OFF;
      g.onTimeEnabled = g.delayEnabled = true;
      Polarity(g, c);
      break;
    case SwitchCondition::None:
      break;
  }
}
