#pragma once
// Conversions between set-up fields and the texts of the parameter dialogs.
// Typed numbers are read as the leading number of the text; a text without
// a number reads 0.
#include <cstdint>
#include <string>
#include <string_view>

// A byte field shown unsigned ("%d") and stored as the low 8 bits of the
// leading integer.
std::string ByteText(uint8_t value);
uint8_t ByteOfText(std::string_view text);

// A byte field that the dialog shows negated: 20 shows "-20", "-20" stores 20.
std::string NegatedByteText(uint8_t value);
uint8_t NegatedByteOfText(std::string_view text);

// The leading decimal number of the text; a decimal comma counts as the
// point, so "12,5" reads 12.5.
float DecimalOfText(std::string_view text);

// The leading integer of the text held to [low, high], so that a value too
// large for its 16-bit field never wraps round.
uint16_t Int16FieldOfText(std::string_view text, int low, int high);
