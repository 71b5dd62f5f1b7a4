// Exports of memory selection, the buffers and the Intel HEX files.
#include "flashcore/core/export_frame.h"
#include "flashcore/core/isp_exports.h"

using namespace exportframe;

namespace {
std::uint32_t address(int value) { return static_cast<std::uint32_t>(value); }
}  // namespace

extern "C" {

bool ispSelectMemory(int memoryIndex) {
  return guarded([&] { return "***** ispSelectMemory " + std::to_string(memoryIndex) + " *****"; },
                 [&] { manager()->selectMemory(memoryIndex); });
}

void ispGetMemorySize() {
  guardedQuiet([] { manager()->memorySizeResult(); });
}

bool ispFillBuffer(const char* hexByte) {
  return guardedQuiet([&] { manager()->fillBuffer(text(hexByte)); });
}

bool ispFillBufferAddrRange(int start, int end, const char* hexByte) {
  return guardedQuiet([&] { manager()->fillBufferAddrRange(address(start), address(end), text(hexByte)); });
}

void ispResetBuffer() {
  guardedQuiet([] { manager()->resetBuffer(); });
}

void ispRandomizeBuffer() {
  guardedQuiet([] { manager()->randomizeBuffer(); });
}

bool ispWriteSingleByteToBuffer(int at, const char* hexByte) {
  return guardedQuiet([&] { manager()->writeSingleByte(address(at), text(hexByte)); });
}

void ispReadSingleByteFromBuffer(int at) {
  guardedQuiet([&] { manager()->readSingleByte(address(at)); });
}

void ispGetBufferAddrLo() {
  guardedQuiet([] { manager()->bufferAddrLo(); });
}

void ispGetBufferAddrHi() {
  guardedQuiet([] { manager()->bufferAddrHi(); });
}

void ispComputeBufferChecksum(int start, int end) {
  guardedQuiet([&] { manager()->bufferChecksum(address(start), address(end)); });
}

bool ispComputeCrc() {
  return guarded([] { return bannerLine("ispComputeCrc"); }, [] { manager()->computeCrc(); });
}

bool ispParseHexFile(const char* path) {
  return guarded([&] { return "***** ispParseHexFile " + text(path) + " *****"; },
                 [&] { manager()->parseHexFile(text(path)); });
}

bool ispWriteHexFile(int start, int end, const char* path, int segmentRecords) {
  return guarded([&] { return rangeBannerLine("ispWriteHexFile", start, end); },
                 [&] { manager()->writeHexFile(address(start), address(end), text(path), segmentRecords); });
}

}  // extern "C"
