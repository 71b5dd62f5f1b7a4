#pragma once
// Intel HEX files: the reader loads a file into a memory image, the writer
// saves a range of an image. File address f is image address
// f - baseAddress of the memory. Failures are thrown as STATUS codes.
#include <cstdint>
#include <functional>
#include <string>

#include "flashcore/core/memory_area.h"

struct HexLoadResult {
  // Lowest and highest data address, relative to the memory's base; the
  // empty marker 0xFFFFFF .. 0 when the file holds no data record.
  std::uint32_t rangeStart = 0xFFFFFF;
  std::uint32_t rangeEnd = 0;
};

// Reads the file into `area`, line by line up to its end record (what
// follows it is not read). The records go into a copy of the image that
// replaces it only once the end record is reached, so on any failure the
// image is unchanged. Bytes the file does not name keep their texts; where
// two records name one address the later wins.
// Throws STATUS 22 (cannot open or read, or a folder), 23 (syntax, a line
// longer than 254 characters, no end record), 24 (checksum), 2 (address
// outside the memory).
HexLoadResult readIntelHexFile(const std::string& path, CmemoryArea& area);

// Progress callback of the writer: percentage steps of the range written.
using HexProgress = std::function<void(float step)>;

// Writes image addresses start .. end with extended segment address records
// (segmentRecords) or extended linear address records. Throws STATUS 2 for
// end < start or end beyond the memory, 22 when the file cannot be written.
void writeIntelHexFile(const std::string& path, const CmemoryArea& area, std::uint32_t start, std::uint32_t end,
                       bool segmentRecords, const HexProgress& progress = {});
