#pragma once
// Where MCU27's boot loader keeps its special bytes, whatever the line:
// boot-loader version and boot ids in memory 3, the configuration bytes in
// memory 4, the hardware byte in memory 5 and the signature in memory 6.
#include <string>

// The memory of a special-byte id 0..19; 255 for any other id.
int mcu27MemoryOfSpecialByte(int specialByteId);
// The same by the special bytes' key names ("boot_loader_version", "sbv",
// ...); 255 for any other key.
int mcu27MemoryOfSpecialByteKey(const std::string& key);
// The address of the byte inside its memory; -1 where the loader gives the
// byte no address (P1_CONF, P3_CONF, P4_CONF) or the id is unknown.
int mcu27AddressOfSpecialByte(int specialByteId);
