#pragma once
// The section codec: one section of the set-up image rebuilt from what the
// set-up editor's controls hold, in the device's byte order.
//
// The rebuild starts from 0xFF. Every field with a control is taken from it;
// a field that no editable control feeds keeps the bytes it had, and a float
// whose edit still shows the text that the display made of the image's value
// keeps that exact value (the display rounds). Fields that the codec sets to
// a fixed value, and reserved bytes, are set as such.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "app/link/setup_image.h"

constexpr int CODEC_UPDATE_IMAGE = 1;
constexpr int CODEC_WRITE_DEVICE = 2;

// What the codec reads of the editor's controls, by component name.
class SetupControlReader {
 public:
  virtual ~SetupControlReader() = default;
  virtual std::string Text(std::string_view control) const = 0;
  // -1 when the list has no chosen item.
  virtual int ItemIndex(std::string_view control) const = 0;
  // Check boxes and radio buttons.
  virtual bool Checked(std::string_view control) const = 0;
};

struct CodecOptions {
  // The connected firmware cannot show five decimal places.
  bool no_five_decimals = true;
};

// Rebuilds `section` in place: `bytes` holds the section as the image had it
// and receives the section as the controls describe it. SAV is left as it is.
void RebuildSection(SetupSection section, const SetupControlReader& controls, const CodecOptions& options,
                    std::span<uint8_t> bytes);

// Where a rebuilt section goes in the device: the section's bytes from
// `offset` on, `length` of them, to device address `address` + `offset`.
struct SectionWrite {
  int address;
  int offset;
  int length;
};
// For GBL .. MSC with the set-up copy at `base` (ADM: bytes 4 .. 15 only).
SectionWrite DeviceWriteOf(SetupSection section, uint16_t base);
