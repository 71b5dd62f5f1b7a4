#include "flashcore/protocols/mcu27_special_bytes.h"

#include "flashcore/core/special_bytes.h"

namespace {

struct Placement {
  const char* key;
  int memory;
  int address;
};

// By special-byte id.
constexpr Placement kPlacements[SPECIAL_BYTE_COUNT] = {
    {"boot_loader_version", 3, 0x0000}, {"sbv", 4, 0x0008},           {"ssb", 4, 0x0005},
    {"bsb", 4, 0x0000},                 {"hardware_byte", 5, 0x0007}, {"eb", 4, 0x0006},
    {"boot_id_1", 3, 0x0001},           {"boot_id_2", 3, 0x0002},     {"manuf_id", 6, 0x0030},
    {"family_code_id", 6, 0x0031},      {"device_name_id", 6, 0x0060}, {"device_rev_id", 6, 0x0061},
    {"btc1", 4, 0x001C},                {"btc2", 4, 0x001D},          {"btc3", 4, 0x001E},
    {"nnb", 4, 0x001F},                 {"cris", 4, 0x0020},          {"p1cf", 4, -1},
    {"p3cf", 4, -1},                    {"p4cf", 4, -1}};

}  // namespace

int mcu27MemoryOfSpecialByte(int specialByteId) {
  return specialByteId >= 0 && specialByteId < SPECIAL_BYTE_COUNT ? kPlacements[specialByteId].memory : 255;
}

int mcu27MemoryOfSpecialByteKey(const std::string& key) {
  for (const Placement& placement : kPlacements)
    if (key == placement.key) return placement.memory;
  return 255;
}

int mcu27AddressOfSpecialByte(int specialByteId) {
  return specialByteId >= 0 && specialByteId < SPECIAL_BYTE_COUNT ? kPlacements[specialByteId].address : -1;
}
