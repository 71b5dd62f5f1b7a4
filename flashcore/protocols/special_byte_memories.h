#pragma once
// Where the boot loaders that address memory by number keep their special
// bytes: version and boot ids in memory 3, the configuration bytes in 4, the
// hardware byte in 5, the signature in 6.
#include <string>

// The memory of a special-byte id; 255 for an id outside 0 .. 19.
int specialByteMemory(int specialByteId);
// The same by the special-byte key ("boot_loader_version", "sbv", ...); 255
// for any other key.
int specialByteMemoryOfKey(const std::string& key);
