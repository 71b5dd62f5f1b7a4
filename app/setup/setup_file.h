#pragma once
// The set-up file (".dis"): an INI text with the section [INFO] and one
// section per set-up section, one key per field, named as the field.
//
// Most keys carry the field's value as a signed 32-bit decimal integer; the
// kinds below say how the field's bytes (as the image holds them) become
// that integer and back. Floats are written as the shortest text that reads
// back to the same single-precision value, always with "."; "," is accepted
// on reading.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/link/setup_image.h"

class TIniFile;

enum class FileValueKind {
  B,  // one byte: written 0..255, read back as the low 8 bits
  L,  // four bytes, big-endian integer
  F,  // four bytes, big-endian single-precision float
  H,  // two bytes b0 b1: b0<<24 | b1<<16, the low half 0xFFFF when b1 >= 0x80
  S,  // two bytes: b0 + b1 * 256
  X,  // four bytes, lowest first: b0 + b1<<8 + b2<<16 + b3<<24
  T,  // text, written only
};

// One key of the file, in file order.
struct SetupFileKey {
  std::string file_section;  // "GBL", "WKG_0", ...
  std::string key;
  SetupSection section;  // the image section it carries
  int offset;            // of the field in that section
  FileValueKind kind;
  double default_value;  // taken when the key is missing or holds no number
};

// Every key of the set-up sections, in the order of a new file ([GBL] to
// [SAV]); the [INFO] keys come before them and are not listed.
const std::vector<SetupFileKey>& SetupFileKeys();

// What [INFO] holds besides the image.
struct SetupFileInfo {
  std::string date;  // local time of saving, "%A %d.%m.%y %H:%M:%S"
  int active_setup;  // the set-up the device last reported
};

// One line of the file to be written.
struct SetupFileEntry {
  std::string file_section;
  std::string key;
  std::string value;
};

// The integer of a key of kind B, L, H, S or X for the field's bytes at `at`.
int32_t EncodeFileInteger(FileValueKind kind, const uint8_t* at);
// Stores an integer read for such a key into the field's bytes at `at`.
void DecodeFileInteger(FileValueKind kind, int32_t value, uint8_t* at);
// The text of a float field: shortest round-trip form with "."; "nan",
// "inf" or "-inf" for the patterns that are no number.
std::string FormatFileFloat(float value);

// Every entry of a set-up file for `image`, in file order, [INFO] first.
std::vector<SetupFileEntry> SetupFileEntries(const SetupImageBytes& image, const SetupFileInfo& info);

// Writes every entry into the INI file, which is then written whole: keys
// that exist are replaced in place, new ones are appended to their section,
// other lines stay. Throws EIniFileException, with the old file unchanged,
// when the file cannot be written.
void WriteSetupFile(TIniFile& ini, const SetupImageBytes& image, const SetupFileInfo& info);

// Why a file was not taken.
enum class SetupFileError { None, Unreadable, NoSetupSection };

// None when the file holds at least one set-up section ([GBL] .. [ADM]).
SetupFileError CheckSetupFile(const TIniFile& ini);

// Reads every keyed field into `image`: the file's value, or the key's
// default when it is missing or holds no number. Fields without a key keep
// their bytes. A float key reading "nan" restores the erased pattern
// FF FF FF FF and "inf"/"-inf" the infinities, so such fields survive a
// save and a load.
void ReadSetupFile(const TIniFile& ini, SetupImageBytes& image);

// The bytes of the set-up sections that no key carries (every section but
// SAV), as the default images hold them; the keyed bytes stay.
void DefaultKeylessBytes(SetupImageBytes& image);

// The file that a chosen name stands for: its extension replaced by ".dis",
// or ".dis" appended when it has none. The extension starts at the last
// point after the last folder separator.
std::string SetupFilePath(const std::string& chosen);
