#include "flashcore/core/protocol_kind.h"

std::string_view protocolClassName(ProtocolKind kind) {
  switch (kind) {
    case ProtocolKind::None: return {};
    case ProtocolKind::Rs232Mcu01: return "Crs232ProtocolMcu01";
    case ProtocolKind::Rs232Mcu02: return "Crs232ProtocolMcu02";
    case ProtocolKind::Rs232Mcu04: return "Crs232ProtocolMcu04";
    case ProtocolKind::Rs232Mcu05: return "Crs232ProtocolMcu05";
    case ProtocolKind::Rs232Mcu06: return "Crs232ProtocolMcu06";
    case ProtocolKind::Rs232Mcu07: return "Crs232ProtocolMcu07";
    case ProtocolKind::Rs232Mcu08: return "Crs232ProtocolMcu08";
    case ProtocolKind::Rs232Mcu09: return "Crs232ProtocolMcu09";
    case ProtocolKind::Rs232Mcu11: return "Crs232ProtocolMcu11";
    case ProtocolKind::Rs232Mcu12: return "Crs232ProtocolMcu12";
    case ProtocolKind::Rs232Mcu14: return "Crs232ProtocolMcu14";
    case ProtocolKind::Rs232Mcu14b: return "Crs232ProtocolMcu14b";
    case ProtocolKind::Rs232Mcu16: return "Crs232ProtocolMcu16";
    case ProtocolKind::Rs232Mcu18: return "Crs232ProtocolMcu18";
    case ProtocolKind::Rs232Mcu20: return "Crs232ProtocolMcu20";
    case ProtocolKind::Rs232Mcu21: return "Crs232ProtocolMcu21";
    case ProtocolKind::Rs232Mcu22: return "Crs232ProtocolMcu22";
    case ProtocolKind::Rs232Mcu23: return "Crs232ProtocolMcu23";
    case ProtocolKind::Rs232Mcu26: return "Crs232ProtocolMcu26";
    case ProtocolKind::Rs232Mcu27: return "Crs232ProtocolMcu27";
    case ProtocolKind::Rs232Ocd: return "Crs232ProtocolOcd";
    case ProtocolKind::Can: return "CcanProtocol";
    case ProtocolKind::CanMcu27: return "CcanProtocolMcu27";
    case ProtocolKind::UsbDfu: return "CusbDfuProtocol";
    case ProtocolKind::UsbDfuMcu21: return "CusbDfuProtocolMcu21";
    case ProtocolKind::UsbBridge: return "CusbBridgeProtocol";
  }
  return {};
}
