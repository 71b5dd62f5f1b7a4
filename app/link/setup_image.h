#pragma once
// The PC copy of the device set-up memory: its sections, every field with
// its place and type, the section codes and the byte-order accessors.
//
// The image is 780 bytes: the global block GBL, one set-up copy (ADM .. MSC,
// laid out as in the device) and the factory data SAV. Multi-byte fields are
// big-endian as the device holds them, except `under` and `over` of the
// weighing parameters, which are held low byte first.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

constexpr int SETUP_IMAGE_SIZE = 780;

using SetupImageBytes = std::array<uint8_t, SETUP_IMAGE_SIZE>;

// Device addresses of the two set-up copies; they lie 716 bytes apart.
constexpr uint16_t SETUP_BASE_1 = 0x008;
constexpr uint16_t SETUP_BASE_2 = 0x2D4;
constexpr int SETUP_COPY_SIZE = 0x2C4;
// Device address of the factory data for the block commands.
constexpr int FACTORY_DATA_ADDR = 0x7C0;

// Section codes of the two sections outside the set-up copy; a section of
// the copy is named by its device address, SetupBase + its offset.
constexpr int SECTION_GBL = 0;
constexpr int SECTION_SAV = 0x100;

// Device address of the set-up copy that section transfers use: SETUP_BASE_1
// or SETUP_BASE_2; 0 until the identification or the set-up editor chose one.
extern uint16_t SetupBase;
// The set-up that the device last reported as active: 0 set-up 1, 1 set-up
// 2, 2 default set-up, 255 none reported yet; any other reported byte as is.
extern int ActiveSetup;

enum class SetupSection { GBL, ADM, LPC, ADC, WKG0, WKG1, WKS, CHN0, CHN1, EXB, MSC, SAV };
constexpr int SETUP_SECTION_COUNT = 12;

struct SectionInfo {
  SetupSection section;
  const char* name;      // "GBL", "WKG[0]", ...
  int image_offset;      // place in the SetupImage
  int size;              // bytes
  int copy_offset;       // offset in the set-up copy; -1 outside the copy
};

const SectionInfo& Info(SetupSection section);
// All sections in image order.
const std::array<SectionInfo, SETUP_SECTION_COUNT>& Sections();

// The section that `code` names while the set-up copy starts at `base`, tried
// in the codec's order GBL, LPC, ADC, WKG[0], WKG[1], WKS, CHN[0], CHN[1],
// EXB, MSC, ADM, SAV; the first match wins (with base 0 the ADM code equals
// SECTION_GBL and names GBL).
std::optional<SetupSection> SectionOfCode(int code, uint16_t base);
// The code of `section` for the set-up copy at `base`.
int SectionCode(SetupSection section, uint16_t base);
// True when `base` names one of the two set-up copies.
bool IsSetupCopyBase(uint16_t base);

enum class FieldType {
  Byte,      // unsigned 8 bits
  Char,      // one 8-bit character
  Int16,     // signed 16 bits, big-endian
  Int16LE,   // signed 16 bits, low byte first (under, over)
  Int32,     // signed 32 bits, big-endian
  Float32,   // IEEE single, big-endian
};

int FieldWidth(FieldType type);

// One field of a section: `count` elements of `type` from `offset` on.
struct SetupField {
  SetupSection section;
  std::string name;  // the set-up file's key, or a name of the same manner
  int offset;        // from the section's start
  FieldType type;
  int count = 1;
};

// Every field of every section, in section order and by offset.
const std::vector<SetupField>& SetupFields();
// The field `name` of `section`; throws std::out_of_range when there is none.
const SetupField& FieldOf(SetupSection section, std::string_view name);
// True for each byte of the section that no field covers (reserved).
std::vector<bool> ReservedBytes(SetupSection section);

// The bytes of one section of an image.
std::span<uint8_t, std::dynamic_extent> SectionBytes(SetupImageBytes& image, SetupSection section);
std::span<const uint8_t, std::dynamic_extent> SectionBytes(const SetupImageBytes& image, SetupSection section);

// Values in the device's byte order at `offset` of `bytes`.
uint8_t GetByte(std::span<const uint8_t> bytes, int offset);
int16_t GetInt16(std::span<const uint8_t> bytes, int offset);
int16_t GetInt16LE(std::span<const uint8_t> bytes, int offset);
int32_t GetInt32(std::span<const uint8_t> bytes, int offset);
uint32_t GetUInt32(std::span<const uint8_t> bytes, int offset);
float GetFloat(std::span<const uint8_t> bytes, int offset);
void PutByte(std::span<uint8_t> bytes, int offset, uint8_t value);
void PutInt16(std::span<uint8_t> bytes, int offset, int16_t value);
void PutInt16LE(std::span<uint8_t> bytes, int offset, int16_t value);
void PutInt32(std::span<uint8_t> bytes, int offset, int32_t value);
void PutUInt32(std::span<uint8_t> bytes, int offset, uint32_t value);
void PutFloat(std::span<uint8_t> bytes, int offset, float value);
