#include "flashcore/protocols/rs232_variants.h"

#include <memory>

#include "flashcore/core/device_parts.h"
#include "flashcore/core/library_context.h"
#include "flashcore/core/special_bytes.h"

namespace {

void setSizes(Crs232Protocol& protocol, std::uint16_t recordSize, std::uint16_t readLineSize) {
  protocol.recordSize = recordSize;
  protocol.readLineSize = readLineSize;
}

void addPortConfigurationRecords(Crs232Protocol& protocol) {
  protocol.writeSpecialRecords[P1_CONF] = ":030000030602";
  protocol.writeSpecialRecords[P3_CONF] = ":030000030603";
  protocol.writeSpecialRecords[P4_CONF] = ":030000030604";
  protocol.readSpecialRecords[P1_CONF] = ":020000050703EF";
  protocol.readSpecialRecords[P3_CONF] = ":020000050704EE";
  protocol.readSpecialRecords[P4_CONF] = ":020000050705ED";
}

// The part object is made before the old one goes, so that a failed
// allocation leaves the old part in place. Its images start anew.
template <class Variant>
void replacePart() {
  auto variant = std::make_unique<Variant>();
  libraryContext().setDevice(std::move(variant));
}

// Early boot loaders: small records, no extra byte, no start records.
template <class Variant>
void adaptToEarlyLoader(Crs232Protocol& protocol) {
  setSizes(protocol, 16, 16);
  protocol.readSpecialRecords[EXTRA_BYTE].clear();
  protocol.writeSpecialRecords[EXTRA_BYTE].clear();
  protocol.startResetRecord.clear();
  protocol.startAddressRecord.clear();
  replacePart<Variant>();
}

template <class Variant>
void versionHookOfMcu06(Crs232Protocol& protocol, const std::string& version) {
  if (version <= "12")
    adaptToEarlyLoader<Variant>(protocol);
  else
    setSizes(protocol, 128, 16);
}

void versionHookOfMcu09(Crs232Protocol& protocol, const std::string& version) {
  setSizes(protocol, version > "11" ? 128 : 16, 16);
}

}  // namespace

Crs232ProtocolMcu01::Crs232ProtocolMcu01() {
  setSizes(*this, 128, 16);
  addPortConfigurationRecords(*this);
}
void Crs232ProtocolMcu01::enableFuse0() { fuseNotImplemented(); }
void Crs232ProtocolMcu01::enableFuse1() { fuseNotImplemented(); }
void Crs232ProtocolMcu01::disableFuse0() { fuseNotImplemented(); }
void Crs232ProtocolMcu01::disableFuse1() { fuseNotImplemented(); }

Crs232ProtocolMcu02::Crs232ProtocolMcu02() { setSizes(*this, 128, 16); }

Crs232ProtocolMcu04::Crs232ProtocolMcu04() { setSizes(*this, 128, 128); }

Crs232ProtocolMcu05::Crs232ProtocolMcu05() { setSizes(*this, 128, 16); }
void Crs232ProtocolMcu05::onChipIdentity(std::string version) {
  if (version <= "12")
    adaptToEarlyLoader<CdeviceMcu05v12>(*this);
  else if (version < "50")
    replacePart<CdeviceMcu05v50>();
}

Crs232ProtocolMcu06::Crs232ProtocolMcu06() { setSizes(*this, 16, 16); }
void Crs232ProtocolMcu06::onChipIdentity(std::string version) {
  versionHookOfMcu06<CdeviceMcu06v12>(*this, version);
}

Crs232ProtocolMcu07::Crs232ProtocolMcu07() {
  setSizes(*this, 16, 16);
  addPortConfigurationRecords(*this);
}
void Crs232ProtocolMcu07::onChipIdentity(std::string version) {
  versionHookOfMcu06<CdeviceMcu07v12>(*this, version);
}

Crs232ProtocolMcu26::Crs232ProtocolMcu26() { setSizes(*this, 128, 16); }

Crs232ProtocolMcu08::Crs232ProtocolMcu08() { setSizes(*this, 128, 16); }
void Crs232ProtocolMcu08::enableFuse0() { fuseNotImplemented(); }
void Crs232ProtocolMcu08::disableFuse0() { fuseNotImplemented(); }

Crs232ProtocolMcu22::Crs232ProtocolMcu22() { setSizes(*this, 128, 16); }
void Crs232ProtocolMcu22::enableFuse0() { fuseNotImplemented(); }
void Crs232ProtocolMcu22::disableFuse0() { fuseNotImplemented(); }

Crs232ProtocolMcu09::Crs232ProtocolMcu09() { setSizes(*this, 16, 16); }
void Crs232ProtocolMcu09::onChipIdentity(std::string version) { versionHookOfMcu09(*this, version); }

Crs232ProtocolMcu11::Crs232ProtocolMcu11() { setSizes(*this, 128, 16); }

Crs232ProtocolMcu12::Crs232ProtocolMcu12() { setSizes(*this, 16, 16); }
void Crs232ProtocolMcu12::onChipIdentity(std::string version) { versionHookOfMcu09(*this, version); }

Crs232ProtocolMcu14::Crs232ProtocolMcu14() { setSizes(*this, 16, 16); }
void Crs232ProtocolMcu14::onChipIdentity(std::string version) { versionHookOfMcu09(*this, version); }
void Crs232ProtocolMcu14::enableFuse0() { fuseNotImplemented(); }
void Crs232ProtocolMcu14::disableFuse0() { fuseNotImplemented(); }

Crs232ProtocolMcu14b::Crs232ProtocolMcu14b() { setSizes(*this, 128, 16); }
void Crs232ProtocolMcu14b::enableFuse0() { fuseNotImplemented(); }
void Crs232ProtocolMcu14b::disableFuse0() { fuseNotImplemented(); }

void Crs232ProtocolMcu14b::setSecurityLevel2() {
  transact(securityLevel1Record, 1000, false, true);
  transact(securityLevel2Record, 1000, false, true);
  transact(":020000030502F4", 1000, false, true);
}

void Crs232ProtocolMcu14b::readBlock(int page, std::uint32_t from, std::uint32_t to, int verify) {
  DisplayRead how;
  how.extraFrame = "X";
  readDisplay(page, from, to, verify, how);
}

Crs232ProtocolMcu23::Crs232ProtocolMcu23() {
  readSpecialRecords[BOOTLOADER_VERSION] = ":020000050800F1";
  readSpecialRecords[HARDWARE_BYTE] = ":020000050703EF";
}

Crs232ProtocolMcu16::Crs232ProtocolMcu16() { setSizes(*this, 128, 128); }

Crs232ProtocolMcu18::Crs232ProtocolMcu18() { setSizes(*this, 128, 128); }
