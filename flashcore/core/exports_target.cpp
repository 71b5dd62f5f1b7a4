// Exports that work on the target: ranges, special bytes, security levels,
// fuses, serial numbers, the named-command protocol and on-chip debugging.
#include "flashcore/core/export_frame.h"
#include "flashcore/core/isp_exports.h"
#include "flashcore/core/special_bytes.h"

using namespace exportframe;

namespace {
std::uint32_t address(int value) { return static_cast<std::uint32_t>(value); }
}  // namespace

extern "C" {

bool ispEraseDevice() {
  return guarded([] { return bannerLine("ispEraseDevice"); }, [] { manager()->eraseDevice(); });
}

bool ispEraseBlock(int block) {
  return guarded([&] { return "***** ispEraseBlock " + std::to_string(block) + " *****"; },
                 [&] { manager()->eraseBlock(block); });
}

bool ispProgramAddrRange(int start, int end, unsigned char rangeMode) {
  return guarded([&] { return rangeBannerLine("ispProgramAddrRange", start, end); },
                 [&] { manager()->programAddrRange(address(start), address(end), rangeMode); });
}

bool ispProgramDevice() {
  return guarded([] { return bannerLine("ispProgramDevice"); }, [] { manager()->programDevice(); });
}

bool ispReadAddrRange(int start, int end, const char* path) {
  return guarded([&] { return rangeBannerLine("ispReadAddrRange", start, end); },
                 [&] { manager()->readAddrRange(address(start), address(end), text(path), 0); });
}

bool ispReadDevice(const char* path) {
  return guarded([] { return bannerLine("ispReadDevice"); }, [&] { manager()->readDevice(text(path), 0); });
}

bool ispVerifyAddrRange(int start, int end) {
  return guarded([&] { return rangeBannerLine("ispVerifyAddrRange", start, end); },
                 [&] { manager()->verifyAddrRange(address(start), address(end)); });
}

bool ispVerifyDevice() {
  return guarded([] { return bannerLine("ispVerifyDevice"); }, [] { manager()->verifyDevice(); });
}

bool ispBlankCheckAddrRange(int start, int end) {
  return guarded([&] { return rangeBannerLine("ispBlankCheckAddrRange", start, end); },
                 [&] { manager()->blankCheckAddrRange(address(start), address(end)); });
}

bool ispBlankCheckDevice() {
  return guarded([] { return bannerLine("ispBlankCheckDevice"); }, [] { manager()->blankCheckDevice(); });
}

bool ispEnterIspMode(unsigned char flag, int at) {
  return guarded([] { return bannerLine("ispEnterIspMode"); }, [&] { manager()->enterIspMode(flag, at); });
}

bool ispEnterAppliMode(unsigned char reset, int at) {
  return guarded([] { return bannerLine("ispEnterAppliMode"); }, [&] { manager()->enterAppliMode(reset, at); });
}

bool ispReadSpecialByte(int specialByteId) {
  const bool done =
      guarded([&] { return "***** ispReadSpecialByte " + specialByteName(specialByteId) + " *****"; },
              [&] { manager()->readSpecialByte(static_cast<std::uint32_t>(specialByteId)); });
  if (!done && manager() != nullptr) ispSelectMemory(manager()->savedMemory());
  return done;
}

bool ispWriteSpecialByte(int specialByteId, unsigned char value) {
  const bool done = guarded(
      [&] { return "***** ispWriteSpecialByte " + specialByteName(specialByteId) + " " + toLowerHex(value) + " *****"; },
      [&] { manager()->writeSpecialByte(specialByteId, toHexString(value, 2)); });
  if (!done && manager() != nullptr) ispSelectMemory(manager()->savedMemory());
  return done;
}

bool ispReadSignatureBytes() {
  return guarded([] { return bannerLine("ispReadSignatureBytes"); }, [] { manager()->readSignatureBytes(); });
}

bool ispEraseSbvBsb() {
  return guarded([] { return bannerLine("ispEraseSbvBsb"); }, [] { manager()->eraseSbvBsb(); });
}

bool ispSetSecurityLev1() {
  return guarded([] { return bannerLine("ispSetSecurityLev1"); }, [] { manager()->setSecurityLevel1(); });
}

bool ispSetSecurityLev2() {
  return guarded([] { return bannerLine("ispSetSecurityLev2"); }, [] { manager()->setSecurityLevel2(); });
}

bool ispGetExpectedSsbValue(int level) {
  return guardedQuiet([&] { manager()->expectedSsbValue(level); });
}

bool ispEnableFuseBit(int fuse) {
  return guarded([] { return bannerLine("ispEnableFuseBit"); },
                 [&] { manager()->enableFuse(static_cast<std::uint32_t>(fuse)); });
}

bool ispDisableFuseBit(int fuse) {
  return guarded([] { return bannerLine("ispDisableFuseBit"); },
                 [&] { manager()->disableFuse(static_cast<std::uint32_t>(fuse)); });
}

bool ispExecSpecialCmd(int n) {
  return guarded([&] { return "***** ispExecSpecialCmd " + std::to_string(n) + " *****"; },
                 [&] { manager()->execSpecialCmd(static_cast<std::uint32_t>(n)); });
}

bool ispSerialize(int memoryIndex, int destAddress, int serialLow, int serialHigh, unsigned char radix,
                  std::string format) {
  return guarded([] { return bannerLine("ispSerialize"); }, [&] {
    manager()->serialize(memoryIndex, destAddress, serialLow, serialHigh, radix, format);
  });
}

bool ispCreateProtocol(const char* name) {
  CcommandManager* m = manager();
  return m != nullptr && m->createProtocol(text(name));
}

bool ispAddProtocolCmd(const char* name, const char* commandText) {
  CcommandManager* m = manager();
  return m != nullptr && m->addProtocolCmd(text(name), text(commandText));
}

void ispExecCmd(const char* name) {
  CcommandManager* m = manager();
  if (m == nullptr) throw STATUS_CANNOT_EXECUTE_COMMAND;
  m->execCmd(text(name));
}

void ispInitOcd(const char* targetName) {
  if (CcommandManager* m = manager()) m->initOcd(text(targetName));
}

void ispStartOcdProgrammer(const char* targetName) {
  if (CcommandManager* m = manager()) m->startOcdProgrammer(text(targetName));
}

bool ispExitOcdProgrammer() {
  CcommandManager* m = manager();
  return m != nullptr && m->exitOcdProgrammer();
}

}  // extern "C"
