#pragma once
// Decoding of answer data without a window: the data length each answer
// needs, answer texts, the weight-text rule, log entries and the
// identification items.
#include <array>
#include <cstdint>
#include <span>
#include <string>

// Data bytes the answer handling of `command` reads, for a request with the
// data `request`; `blockLength` is the byte count of the current block.
// A shorter answer fills nothing and counts as a failed request.
int MinimumAnswerLength(uint8_t command, std::span<const uint8_t> request, int blockLength);

// An answer text: the bytes from the first data byte to the end of the
// reply (data, then the checksum bytes when the checksum is on), up to the
// first zero byte, with `dropTail` characters taken off its end.
std::string AnswerText(std::span<const uint8_t> dataAndChecksum, int dropTail);

// The weight answer's texts: the "S" text (third character 'S') or the
// weight text.
struct WeightTexts {
  std::string weight;
  std::string sum;
  bool isSum = false;
};
WeightTexts SplitWeightText(const std::string& text);

// A log entry: data byte 0 as bits 23..16, byte 1 as bits 15..8, bit 23
// copied into bits 31..24.
int32_t DecodeLogEntry(uint8_t high, uint8_t middle);

// Byte count of an identification item (0 for items that copy nothing).
int IdentItemLength(int item);
// An identification text: the item's bytes up to the first zero byte.
std::string IdentText(std::span<const uint8_t> data, int length);

// The extension-board values with the encoder's raw value (bytes 1..4) and
// scaled value (bytes 5..8) turned into host order in place.
std::array<uint8_t, 10> HostOrderExbValues(std::span<const uint8_t> data);
