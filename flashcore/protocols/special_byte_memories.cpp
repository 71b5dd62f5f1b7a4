#include "flashcore/protocols/special_byte_memories.h"

#include "flashcore/core/special_bytes.h"

int specialByteMemory(int specialByteId) {
  switch (specialByteId) {
    case BOOTLOADER_VERSION:
    case DEVICE_BOOT_ID1:
    case DEVICE_BOOT_ID2: return 3;
    case HARDWARE_BYTE: return 5;
    case DEVICE_MANUF_ID:
    case DEVICE_ID1:
    case DEVICE_ID2:
    case DEVICE_ID3: return 6;
    default: return specialByteId >= 0 && specialByteId < SPECIAL_BYTE_COUNT ? 4 : 255;
  }
}

int specialByteMemoryOfKey(const std::string& key) {
  static const char* const keys[SPECIAL_BYTE_COUNT] = {
      "boot_loader_version", "sbv", "ssb", "bsb", "hardware_byte", "eb", "boot_id_1",
      "boot_id_2", "manuf_id", "family_code_id", "device_name_id", "device_rev_id", "btc1",
      "btc2", "btc3", "nnb", "cris", "p1cf", "p3cf", "p4cf"};
  for (int id = 0; id < SPECIAL_BYTE_COUNT; ++id)
    if (key == keys[id]) return specialByteMemory(id);
  return 255;
}
