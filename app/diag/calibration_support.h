#pragma once
// What the calibration windows share: their requests to the device (which
// the factory administration and the log memory send the same way), the
// reply data, their German message boxes, the ADC mode panels and the unit
// symbols of the unit lists.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace calibration {

// Queues a request to the device the link talks to (the link's request
// step). With `wait` the call returns once the queue is idle, and true only
// when the device answered this very request without a device error (a
// request without answer: when it went out); without it, true when the
// request was queued.
bool Send(uint8_t command, const std::vector<uint8_t>& data, bool awaitAnswer = true, bool wait = true);
// Sends a read request and waits; true when its own reply came without the
// error mark, the status byte's error bit or not (a device that holds error
// codes still answers with its data).
bool Read(uint8_t command, const std::vector<uint8_t>& data);
// Data byte `index` of the last reply (the first data byte is 0).
uint8_t ReplyData(int index);
// The 32-bit big-endian number in the reply data from `index` on.
int32_t ReplyDataBe32(int index);

// A German message box titled "HINWEIS", shown again until the user confirms it with OK.
void Hint(const std::string& text, unsigned icon);

// The ADC mode ("CONT", "SINGLE") into the "Mode" panels of the test window and the service window.
void ShowAdcMode(const char* mode);

// The unit symbol of a unit-list index ("kg" .. "{free}"); nullptr for no unit.
const char* UnitSymbol(int index);

// The data of a value that travels as text: the text marker 0x01, then the characters.
std::vector<uint8_t> TextValue(std::string_view text);

// Every comma replaced by a point.
std::string WithPoint(std::string_view text);
// True when the text, blanks around it aside, is one decimal number: an
// optional sign, digits with an optional "." and an optional exponent.
bool IsNumber(std::string_view text);

// True when the set-up in the PC has only one channel.
bool OneChannelSetup();

}  // namespace calibration
