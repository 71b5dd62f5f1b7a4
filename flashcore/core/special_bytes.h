#pragma once
// Special-byte ids 0-19 of the boot loaders and their names.
#include <string>

enum SpecialByteId : int {
  BOOTLOADER_VERSION = 0,
  SOFTWARE_BOOT_VECTOR = 1,
  SOFTWARE_SECURITY_BYTE = 2,
  BOOT_STATUS_BYTE = 3,
  HARDWARE_BYTE = 4,
  EXTRA_BYTE = 5,
  DEVICE_BOOT_ID1 = 6,
  DEVICE_BOOT_ID2 = 7,
  DEVICE_MANUF_ID = 8,
  DEVICE_ID1 = 9,
  DEVICE_ID2 = 10,
  DEVICE_ID3 = 11,
  BTC_1 = 12,
  BTC_2 = 13,
  BTC_3 = 14,
  NNB = 15,
  CRIS = 16,
  P1_CONF = 17,
  P3_CONF = 18,
  P4_CONF = 19,
};

inline constexpr int SPECIAL_BYTE_COUNT = 20;

// "BOOTLOADER_VERSION" .. "P4_CONF"; empty for any other id.
std::string specialByteName(int id);

// Ids that ispWriteSpecialByte may write: 1-5 and 12-19.
bool isWritableSpecialByte(int id);
