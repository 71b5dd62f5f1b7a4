#include "flashcore/protocols/protocol_factory.h"

#include "flashcore/protocols/can_protocol_mcu27.h"
#include "flashcore/protocols/rs232_protocol_mcu20.h"
#include "flashcore/protocols/rs232_protocol_mcu27.h"
#include "flashcore/protocols/rs232_variants.h"
#include "flashcore/protocols/usb_bridge_protocol.h"
#include "flashcore/protocols/usb_dfu_protocol.h"

std::unique_ptr<Cprotocol> makeProtocol(ProtocolKind kind) {
  using K = ProtocolKind;
  switch (kind) {
    case K::Rs232Mcu01: return std::make_unique<Crs232ProtocolMcu01>();
    case K::Rs232Mcu02: return std::make_unique<Crs232ProtocolMcu02>();
    case K::Rs232Mcu04: return std::make_unique<Crs232ProtocolMcu04>();
    case K::Rs232Mcu05: return std::make_unique<Crs232ProtocolMcu05>();
    case K::Rs232Mcu06: return std::make_unique<Crs232ProtocolMcu06>();
    case K::Rs232Mcu07: return std::make_unique<Crs232ProtocolMcu07>();
    case K::Rs232Mcu08: return std::make_unique<Crs232ProtocolMcu08>();
    case K::Rs232Mcu09: return std::make_unique<Crs232ProtocolMcu09>();
    case K::Rs232Mcu11: return std::make_unique<Crs232ProtocolMcu11>();
    case K::Rs232Mcu12: return std::make_unique<Crs232ProtocolMcu12>();
    case K::Rs232Mcu14: return std::make_unique<Crs232ProtocolMcu14>();
    case K::Rs232Mcu14b: return std::make_unique<Crs232ProtocolMcu14b>();
    case K::Rs232Mcu16: return std::make_unique<Crs232ProtocolMcu16>();
    case K::Rs232Mcu18: return std::make_unique<Crs232ProtocolMcu18>();
    case K::Rs232Mcu20: return std::make_unique<Crs232ProtocolMcu20>();
    case K::Rs232Mcu21: return std::make_unique<Crs232ProtocolMcu21>();
    case K::Rs232Mcu22: return std::make_unique<Crs232ProtocolMcu22>();
    case K::Rs232Mcu23: return std::make_unique<Crs232ProtocolMcu23>();
    case K::Rs232Mcu26: return std::make_unique<Crs232ProtocolMcu26>();
    case K::Rs232Mcu27: return std::make_unique<Crs232ProtocolMcu27>();
    case K::Rs232Ocd: return std::make_unique<Crs232ProtocolOcd>();
    case K::Can: return std::make_unique<CcanProtocol>();
    case K::CanMcu27: return std::make_unique<CcanProtocolMcu27>();
    case K::UsbDfu: return std::make_unique<CusbDfuProtocol>();
    case K::UsbDfuMcu21: return std::make_unique<CusbDfuProtocolMcu21>();
    case K::UsbBridge: return std::make_unique<CusbBridgeProtocol>();
    case K::None: return nullptr;
  }
  return nullptr;
}
