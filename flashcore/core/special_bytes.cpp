#include "flashcore/core/special_bytes.h"

std::string specialByteName(int id) {
  static const char* const names[SPECIAL_BYTE_COUNT] = {
      "BOOTLOADER_VERSION", "SOFTWARE_BOOT_VECTOR", "SOFTWARE_SECURITY_BYTE", "BOOT_STATUS_BYTE", "HARDWARE_BYTE",
      "EXTRA_BYTE",         "DEVICE_BOOT_ID1",      "DEVICE_BOOT_ID2",        "DEVICE_MANUF_ID",  "DEVICE_ID1",
      "DEVICE_ID2",         "DEVICE_ID3",           "BTC_1",                  "BTC_2",            "BTC_3",
      "NNB",                "CRIS",                 "P1_CONF",                "P3_CONF",          "P4_CONF",
  };
  if (id < 0 || id >= SPECIAL_BYTE_COUNT) return {};
  return names[id];
}

bool isWritableSpecialByte(int id) { return (id >= 1 && id <= 5) || (id >= 12 && id <= 19); }
