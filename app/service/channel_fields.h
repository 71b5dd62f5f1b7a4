#pragma once
// The service window's channel fields as a technician reads them (nominal
// value in the unit, digits of the transmitted value, input signal at
// nominal value in mV/V) and the set-up fields that hold the same facts: a
// range entry per unit (a raw nominal value `sk` and an index `zs` into the
// table of digit steps), the characteristic and the five-decimals marker.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/link/setup_image.h"

// Digit steps by `zs`, in units of 0.0001 of the nominal value's unit. The
// last entry steps as entry 0 does and marks the nominal value with one more
// decimal place.
inline constexpr std::array<int32_t, 20> kDigitSteps = {1,      2,      5,      10,     20,      50,     100,
                                                         200,    500,    1000,   2000,   5000,    10000,  20000,
                                                         50000,  100000, 200000, 500000, 1000000, 1};
inline constexpr uint8_t ZS_FIVE_DECIMALS = 19;
// Byte 64 of a channel's section: 0 = one more decimal place, 0xFF normal.
inline constexpr uint8_t FIVE_DECIMALS_ON = 0;
inline constexpr uint8_t FIVE_DECIMALS_OFF = 0xFF;
// `chn_calib_mode` of a channel calibrated with load.
inline constexpr uint8_t CALIB_MODE_LOAD = 2;

// The items of a digits list for a nominal value text of `characters`
// characters: 4 "4".."6", 5 "5".."6", 6 "6", any other count "3".."6".
std::vector<std::string> DigitItems(int characters);

// What the window shows of one channel of the image.
struct ChannelFieldTexts {
  std::string nominal;                  // Edit1 / Edit3
  std::vector<std::string> digitItems;  // ComboBox3 / ComboBox7
  std::string digits;                   // their text; empty when no item fits
  std::string inputSignal;              // Edit2 / Edit4
  bool loadCalibrated = false;          // "Lastkalibriert"
};

// Channel 0 or 1 of the image with the unit index `unit` (the unit list's
// choice). A unit outside 0..7, or a range entry whose `zs` names no digit
// step, shows no nominal value and no digits.
ChannelFieldTexts ChannelFieldsOf(const SetupImageBytes& image, int channel, int unit, bool noFiveDecimals);

// What the user typed into one channel's fields.
struct ChannelFieldEntry {
  int unit = -1;  // unit list's index
  std::string nominal;
  std::string digits;
  std::string inputSignal;
};

// Takes one channel's fields into the image: `chn_mode_val`, and the range
// entry of the unit with its five-decimals marker. A unit outside 0..7
// leaves the range entries as they are.
void StoreChannelFields(SetupImageBytes& image, int channel, const ChannelFieldEntry& entry, bool noFiveDecimals);

// ---- Rules of the channel fields.

// Leaving a nominal value field with `text`.
struct NominalExit {
  bool hasDecimals = false;        // refused: the value must have no decimal places
  std::string text;                // the field's text afterwards (above 100000 it is "100000")
  std::vector<std::string> items;  // the digits list's new items when accepted
};
NominalExit LeaveNominalField(std::string_view text);

// The text of a digits field left with `text` while its list holds `count`
// items (0: the nominal value field was not left yet, any text stays).
std::string LeaveDigitsField(int count, std::string_view text);

// The input signal outside -3.0 .. 3.0 mV/V (a decimal comma counts as a point).
bool InputSignalOutOfRange(std::string_view text);

// The text with each "," replaced by ".".
std::string WithDecimalPoint(std::string_view text);

// Bus addresses that the service window accepts; 126 is the broadcast address.
inline constexpr int FIRST_BUS_ADDRESS = 1;
inline constexpr int LAST_BUS_ADDRESS = 125;
// The leading integer of an address text when it is a bus address, else -1.
int BusAddressOf(std::string_view text);
