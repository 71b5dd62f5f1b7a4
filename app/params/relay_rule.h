#pragma once
// The enable rule of one relay group of the input, encoder and relay dialog:
// the group enables only the controls that its switching condition uses and
// presets some of them. Plain state, read from the controls and written back.
#include <string>

// "Schalten bei": the checked one of the four buttons.
enum class SwitchCondition { None, SetPoint, Standstill, Error, LoadCellError };

struct RelayGroupState {
  // Values.
  bool active = false;         // "Relais aktiv"
  bool polarityOn = false;     // "anziehend (aktiv)" checked
  SwitchCondition condition = SwitchCondition::None;
  int channelIndex = -1;       // "Schaltpunkt-Kanal"; 3 = sum/difference channel
  int hysteresisIndex = -1;    // "Hysteresemode"; 3 = "Hyst. AUS"
  std::string onTime;          // "Einschaltzeit"
  std::string delay;           // "Einschaltverzögerung"
  // Enabled states.
  bool polarityOffEnabled = true;  // "abfallend (passiv)"
  bool polarityOnEnabled = true;
  bool conditionsEnabled = true;   // the four "Schalten bei" buttons
  bool typeEnabled = true;         // "Schaltpunkt-Typ"
  bool channelEnabled = true;
  bool hysteresisModeEnabled = true;
  bool setPointEnabled = true;     // "Schaltpunkt [%]"
  bool hysteresisEnabled = true;   // "Hysterese [%]"
  bool onTimeEnabled = true;
  bool delayEnabled = true;
};

struct RelayRuleContext {
  int relay = 1;               // 1 or 2
  bool oneChannel = false;     // `mk` of channel 1 is 1
  bool exbFirmwareV14 = false; // the extension board's firmware is 1.4 or a later 1.x
};

// Applies the rule to `group`; controls the rule does not name keep their state.
void ApplyRelayRule(RelayGroupState& group, const RelayRuleContext& context);
