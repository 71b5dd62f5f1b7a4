#pragma once
// What the program makes of a device's own answers: the variants it knows
// with their input signals, the hardware codes with the functions that each
// board carries, the set-up copy it runs, and the text of its clock.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Items of the set-up editor's input-type lists (channels 1 and 2).
enum class InputType { MilliVoltPerVolt = 0, MilliAmpere = 1, Volt = 2 };

// One channel of a variant as the windows show it.
struct ChannelSignal {
  InputType type;
  const char* text;    // the service window's "Eingangssignal" row
  bool nominalField;   // the field "Eingangssignal bei Nennkennwert" applies
};

struct VariantAdaptation {
  int variant = 0;
  bool singleChannel = false;  // one measuring channel: channel-2 controls hidden
  ChannelSignal channel1;
  std::optional<ChannelSignal> channel2;  // nullopt: channel-2 controls left as they are
  bool nominalCaption = true;             // the row caption of the nominal signal
};

// The variant's row, or nullopt for a variant the program does not support.
std::optional<VariantAdaptation> VariantAdaptationFor(int variant);

// What a board carries, by the first four characters of the hardware code.
struct HardwareAdaptation {
  int deviceType = 0;
  bool addressEditEnabled = false;  // RS-485 address field of the service window
  bool profibusMenu = false;
  bool deviceDataLabel = false;
  bool exbMenus = false;  // digital inputs, encoder and relays
  bool globalParameterMenu = false;
  bool channel2ParameterMenu = false;
  bool exbPages = false;          // the set-up editor's extension-board pages and check box
  bool incrementalMenu = false;   // enabled
  bool noExtensionBoard = false;  // the board has no inputs, relays or channel-2 group
};

// nullopt for a code outside the known boards (then nothing is adapted).
std::optional<HardwareAdaptation> HardwareAdaptationFor(std::string_view hardwareCode, int variant, bool exbFitted);

// The device list menu without supervisor mode: enabled, disabled, or nullopt = left as it is.
std::optional<bool> DeviceListMenuFor(int variant);

// The set-up copy that the device reports as running (CMD_SETUP_SELECT [1]).
struct SetupCopyChoice {
  const char* panelText;  // "SETUP1", "SETUP2", "DEFAULT (SET1)", "FAIL"
  uint16_t base;
  bool defaultSetup;  // the device runs its default set-up
};
SetupCopyChoice SetupCopyFor(int replyByte);

// The device clock (answer of CMD_READ_CLOCK) as "dd.mm.yy   hh:mm:ss    Wd";
// a weekday byte that names no day shows "??".
std::string DeviceClockText(const std::array<uint8_t, 10>& clock);
