#include "flashcore/core/device_parts.h"

namespace {

constexpr std::uint32_t KB = 1024;

// Protocol by transport medium: code 1 RS-232, 2 USB, 3-8 the CAN adapters,
// 9-11 the USB bridge codes; every other code makes none.
ProtocolKind byHardware(int hardwareCode, ProtocolKind rs232, ProtocolKind usb, ProtocolKind can,
                        ProtocolKind bridge) {
  if (hardwareCode == 1) return rs232;
  if (hardwareCode == 2) return usb;
  if (hardwareCode >= 3 && hardwareCode <= 8) return can;
  if (hardwareCode >= 9 && hardwareCode <= 11) return bridge;
  return ProtocolKind::None;
}

ProtocolKind rs232Only(int hardwareCode, ProtocolKind rs232) {
  return byHardware(hardwareCode, rs232, ProtocolKind::None, ProtocolKind::None, ProtocolKind::None);
}

using P = ProtocolKind;

}  // namespace

// MCU24: FLASH 4 KB; only the USB bridge on hardware code 9.
CdeviceMcu24::CdeviceMcu24() {
  addMemory(4 * KB, 0);
  setSsbValues("10", "00");
}
ProtocolKind CdeviceMcu24::protocolFor(int hardwareCode) const {
  return hardwareCode == 9 ? P::UsbBridge : P::None;
}

CdeviceMcu21::CdeviceMcu21() {
  addMemory(32 * KB, 0);
  setUsbProductId(0xA7C6);
}
ProtocolKind CdeviceMcu21::protocolFor(int hardwareCode) const {
  return byHardware(hardwareCode, P::Rs232Mcu21, P::UsbDfuMcu21, P::None, P::None);
}
void CdeviceMcu21::onProgrammed() {}
int CdeviceMcu21::computeCrc() {
  const CmemoryArea* flash = memory(0);
  return flash ? flash->crc16() : 0;
}

// MCU02 and MCU03: FLASH, EEPROM, no memories 2-6, and the LPC boot memory 7,
// which a HEX file addresses from 0xF400.
CdeviceMcu02::CdeviceMcu02() {
  addMemory(16 * KB, 3);
  addMemory(1 * KB, 0);
  for (int index = 2; index <= 6; ++index) addEmptyMemory();
  addMemory(3 * KB, 0).setBaseAddress(0xF400);
  setUsbProductId(0xA7C5);
}
ProtocolKind CdeviceMcu02::protocolFor(int hardwareCode) const {
  return byHardware(hardwareCode, P::Rs232Mcu02, P::UsbDfu, P::None, P::UsbBridge);
}

CdeviceMcu03::CdeviceMcu03() {
  addMemory(32 * KB, 3);
  addMemory(1 * KB, 0);
  for (int index = 2; index <= 6; ++index) addEmptyMemory();
  addMemory(3 * KB, 0).setBaseAddress(0xF400);
  setUsbProductId(0xA7C5);
}
ProtocolKind CdeviceMcu03::protocolFor(int hardwareCode) const {
  return byHardware(hardwareCode, P::Rs232Mcu02, P::UsbDfu, P::None, P::UsbBridge);
}

CdeviceMcu04::CdeviceMcu04() {
  addMemory(64 * KB, 5);
  setUsbProductId(0xA7C7);
}
ProtocolKind CdeviceMcu04::protocolFor(int hardwareCode) const {
  return byHardware(hardwareCode, P::Rs232Mcu04, P::UsbDfu, P::None, P::None);
}

CdeviceMcu26::CdeviceMcu26() {
  addMemory(64 * KB, 5);
  addMemory(2 * KB, 0);
}
ProtocolKind CdeviceMcu26::protocolFor(int hardwareCode) const {
  return byHardware(hardwareCode, P::Rs232Mcu26, P::None, P::Can, P::None);
}

CdeviceMcu25::CdeviceMcu25() {
  addMemory(64 * KB, 5);
  addMemory(2 * KB, 0);
}
ProtocolKind CdeviceMcu25::protocolFor(int hardwareCode) const {
  return byHardware(hardwareCode, P::Rs232Mcu26, P::None, P::Can, P::None);
}

CdeviceMcu08::CdeviceMcu08() {
  addMemory(64 * KB, 5);
  addMemory(2 * KB, 0);
}
ProtocolKind CdeviceMcu08::protocolFor(int hardwareCode) const { return rs232Only(hardwareCode, P::Rs232Mcu08); }

CdeviceMcu09::CdeviceMcu09() { addMemory(32 * KB, 3); }
ProtocolKind CdeviceMcu09::protocolFor(int hardwareCode) const { return rs232Only(hardwareCode, P::Rs232Mcu09); }

CdeviceMcu11::CdeviceMcu11() {
  addMemory(64 * KB, 5);
  addMemory(2 * KB, 0);
}
ProtocolKind CdeviceMcu11::protocolFor(int hardwareCode) const { return rs232Only(hardwareCode, P::Rs232Mcu11); }

CdeviceMcu12::CdeviceMcu12() { addMemory(16 * KB, 2); }
ProtocolKind CdeviceMcu12::protocolFor(int hardwareCode) const { return rs232Only(hardwareCode, P::Rs232Mcu12); }

CdeviceMcu14::CdeviceMcu14() { addMemory(32 * KB, 3); }
ProtocolKind CdeviceMcu14::protocolFor(int hardwareCode) const { return rs232Only(hardwareCode, P::Rs232Mcu14); }
ProtocolKind CdeviceMcu14::alternativeProtocolFor(int hardwareCode, int variant) const {
  return (hardwareCode == 1 && variant == 4) ? P::Rs232Mcu14b : P::None;
}

CdeviceMcu22::CdeviceMcu22() { addMemory(64 * KB, 5); }
ProtocolKind CdeviceMcu22::protocolFor(int hardwareCode) const { return rs232Only(hardwareCode, P::Rs232Mcu22); }

CdeviceMcu16::CdeviceMcu16() {
  addMemory(64 * KB, 5);
  setUsbProductId(0xA7C7);
}
ProtocolKind CdeviceMcu16::protocolFor(int hardwareCode) const {
  return byHardware(hardwareCode, P::Rs232Mcu16, P::UsbDfu, P::None, P::None);
}

CdeviceMcu18::CdeviceMcu18() {
  addMemory(64 * KB, 5);
  setUsbProductId(0xA7C7);
}
ProtocolKind CdeviceMcu18::protocolFor(int hardwareCode) const {
  return byHardware(hardwareCode, P::Rs232Mcu18, P::UsbDfu, P::None, P::None);
}

CdeviceMcu01::CdeviceMcu01() {
  addMemory(16 * KB, 2);
  addMemory(2 * KB, 0);
}
ProtocolKind CdeviceMcu01::protocolFor(int hardwareCode) const { return rs232Only(hardwareCode, P::Rs232Mcu01); }

CdeviceMcu20::CdeviceMcu20() { addMemory(16 * KB, 0); }
ProtocolKind CdeviceMcu20::protocolFor(int hardwareCode) const { return rs232Only(hardwareCode, P::Rs232Mcu20); }
void CdeviceMcu20::onProgrammed() {}
int CdeviceMcu20::computeCrc() {
  const CmemoryArea* flash = memory(0);
  return flash ? flash->crc16() : 0;
}

CdeviceMcu05::CdeviceMcu05() {
  addMemory(32 * KB, 3);
  addMemory(2 * KB, 0);
  addMemory(64 * KB, 0);
}
ProtocolKind CdeviceMcu05::protocolFor(int hardwareCode) const { return rs232Only(hardwareCode, P::Rs232Mcu05); }

CdeviceMcu06::CdeviceMcu06() {
  addMemory(32 * KB, 3);
  addMemory(2 * KB, 0);
}
ProtocolKind CdeviceMcu06::protocolFor(int hardwareCode) const {
  return byHardware(hardwareCode, P::Rs232Mcu06, P::None, P::Can, P::None);
}

CdeviceMcu07::CdeviceMcu07() {
  addMemory(16 * KB, 2);
  addMemory(2 * KB, 0);
}
ProtocolKind CdeviceMcu07::protocolFor(int hardwareCode) const {
  return byHardware(hardwareCode, P::Rs232Mcu07, P::None, P::Can, P::None);
}

CdeviceMcu23::CdeviceMcu23() {
  addMemory(63 * KB, 0);
  setSsbValues("10", "00");
}
ProtocolKind CdeviceMcu23::protocolFor(int hardwareCode) const { return rs232Only(hardwareCode, P::Rs232Mcu23); }

// MCU19 has a USB product id but no USB protocol.
CdeviceMcu19::CdeviceMcu19() {
  addMemory(64 * KB, 5);
  setUsbProductId(0xA7C7);
}
ProtocolKind CdeviceMcu19::protocolFor(int hardwareCode) const { return rs232Only(hardwareCode, P::Rs232Mcu16); }

CdeviceMcu27::CdeviceMcu27() {
  addMemory(128 * KB, 5);
  addMemory(4 * KB, 0);
  for (int index = 2; index <= 12; ++index) addMemory(128, 0);
}
ProtocolKind CdeviceMcu27::protocolFor(int hardwareCode) const {
  return byHardware(hardwareCode, P::Rs232Mcu27, P::None, P::CanMcu27, P::None);
}

CdeviceOcd::CdeviceOcd() {
  addMemory(128 * KB, 5);  // 0
  addMemory(8 * KB, 0);    // 1
  addMemory(128, 0);       // 2
  addMemory(128, 0);       // 3
  addMemory(128, 0);       // 4
  addMemory(1, 0);         // 5
  addMemory(3, 0);         // 6
  addMemory(1, 0);         // 7
  addMemory(256, 0);       // 8
  addMemory(8 * KB, 0);    // 9
  addMemory(64 * KB, 0);   // 10
  addMemory(512, 0);       // 11
  addMemory(128, 0);       // 12
  addMemory(64 * KB, 0);   // 13
  addMemory(128 * KB, 0);  // 14
  setUsbProductId(0xA7C7);
}
ProtocolKind CdeviceOcd::protocolFor(int hardwareCode) const {
  return byHardware(hardwareCode, P::Rs232Ocd, P::UsbDfu, P::None, P::None);
}

// Variants: no USB product id, "FE" / "FC", the protocols of the part they replace.
CdeviceMcu05v12::CdeviceMcu05v12() { addMemory(32 * KB, 3); }
ProtocolKind CdeviceMcu05v12::protocolFor(int hardwareCode) const { return rs232Only(hardwareCode, P::Rs232Mcu05); }

CdeviceMcu05v50::CdeviceMcu05v50() {
  addMemory(32 * KB, 3);
  addMemory(2 * KB, 0);
}
ProtocolKind CdeviceMcu05v50::protocolFor(int hardwareCode) const { return rs232Only(hardwareCode, P::Rs232Mcu05); }

CdeviceMcu06v12::CdeviceMcu06v12() { addMemory(32 * KB, 3); }
ProtocolKind CdeviceMcu06v12::protocolFor(int hardwareCode) const {
  return byHardware(hardwareCode, P::Rs232Mcu06, P::None, P::Can, P::None);
}

CdeviceMcu07v12::CdeviceMcu07v12() { addMemory(16 * KB, 2); }
ProtocolKind CdeviceMcu07v12::protocolFor(int hardwareCode) const {
  return byHardware(hardwareCode, P::Rs232Mcu07, P::None, P::Can, P::None);
}
