#pragma once
// The boot-loader protocol classes that the parts make for the transport
// hardware codes, named here so that the catalogue can say which one a part
// makes before the protocol objects themselves exist.
#include <string_view>

enum class ProtocolKind {
  None,
  Rs232Mcu01,
  Rs232Mcu02,
  Rs232Mcu04,
  Rs232Mcu05,
  Rs232Mcu06,
  Rs232Mcu07,
  Rs232Mcu08,
  Rs232Mcu09,
  Rs232Mcu11,
  Rs232Mcu12,
  Rs232Mcu14,
  Rs232Mcu14b,
  Rs232Mcu16,
  Rs232Mcu18,
  Rs232Mcu20,
  Rs232Mcu21,
  Rs232Mcu22,
  Rs232Mcu23,
  Rs232Mcu26,
  Rs232Mcu27,
  Rs232Ocd,
  Can,
  CanMcu27,
  UsbDfu,
  UsbDfuMcu21,
  UsbBridge,
};

// Class name of the protocol ("Crs232ProtocolMcu02", "CcanProtocol", ...);
// empty for None.
std::string_view protocolClassName(ProtocolKind kind);
