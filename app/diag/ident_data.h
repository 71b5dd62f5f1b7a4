#pragma once
// The identity items that the factory administration writes into a device
// with CMD_IDENT_DATA [2, item, field bytes], and the variant rules.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum IdentItem : uint8_t {
  IDENT_INFO_TEXT = 0,  // 50 bytes
  IDENT_SERIAL = 1,     // 8 bytes, "Fabr.-Nr."
  IDENT_DATE = 2,       // 4 bytes, MMJJ
  IDENT_VARIANT = 3,    // 1 byte
};

// The request data that writes a text item: [2, item] and the field, which
// holds the text as Windows-1252 bytes cut to the field's length and zeros
// after it. The request is always 2 + the field's length bytes long.
std::vector<uint8_t> IdentTextRequest(IdentItem item, std::string_view text);
// The request data that writes the variant byte: [2, 3, variant].
std::vector<uint8_t> IdentVariantRequest(uint8_t variant);

// The variant as typed: the value of the leading digits (0 for none),
// reduced to its low 8 bits.
uint32_t VariantValue(std::string_view text);
uint8_t VariantByte(std::string_view text);
// The variants a device may carry: 1, 2, 3, 11, 21 .. 25.
bool IsValidVariant(uint32_t variant);

// A field copy of the device link (Windows-1252 bytes, at most `length` of
// them) as the text of an edit.
std::string IdentFieldText(std::string_view bytes, size_t length);
