// Exports of part, hardware and port selection and of the modem lines.
#include "flashcore/core/device_catalogue.h"
#include "flashcore/core/export_frame.h"
#include "flashcore/core/isp_exports.h"
#include "platform/win/ticks.h"

using namespace exportframe;

extern "C" {

bool ispSelectDevice(int deviceCode) {
  return guarded([] { return bannerLine("ispSelectDevice"); }, [&] { manager()->selectDevice(deviceCode); });
}

int ispGetDeviceIndex(const char* name) {
  CcommandManager* m = manager();
  return m ? m->deviceIndex(text(name)) : deviceIndexOf(text(name));
}

bool ispSelectCommHardware(int hardwareCode) {
  return guarded([] { return bannerLine("ispSelectCommHardware"); },
                 [&] { manager()->selectCommHardware(hardwareCode); });
}

bool ispSelectCommHardware2(const char* hardwareName) {
  return guarded([] { return bannerLine("ispSelectCommHardware2"); },
                 [&] { manager()->selectCommHardware2(text(hardwareName)); });
}

void ispSelectCommLib(const char* name) {
  if (CcommandManager* m = manager()) m->selectCommLib(text(name));
}

bool ispOpenRs232Port(const char* portName, int baud) {
  return guarded(
      [&] {
        return "***** ispOpenRs232Port " + text(portName) + " " + std::to_string(static_cast<unsigned>(baud)) +
               " *****";
      },
      [&] { manager()->openRs232Port(text(portName), baud, 0, 8, 2); });
}

bool ispOpenUsbPort() {
  return guarded([] { return bannerLine("ispOpenUsbPort"); }, [] {
    CcommandManager* m = manager();
    const Cdevice* device = libraryContext().device();
    m->openUsbPort(device ? device->usbProductId() : 0);
  });
}

bool ispOpenCanPort(int canBitrate, unsigned char optionA, unsigned short portNumber, unsigned char extraByte,
                    unsigned char optionB, int baud) {
  return guarded(
      [&] {
        return "***** ispOpenCanPort " + std::to_string(static_cast<unsigned>(canBitrate)) + " " +
               std::to_string(optionA) + " " + std::to_string(portNumber) + " " + std::to_string(extraByte) + " " +
               std::to_string(optionB) + " " + std::to_string(static_cast<unsigned>(baud)) + " *****";
      },
      [&] { manager()->openCanPort(canBitrate, optionA, portNumber, optionB, baud); });
}

bool ispClosePort() {
  return guarded([] { return bannerLine("ispClosePort"); }, [] { manager()->closePort(); });
}

void ispCheckUsbDriver(unsigned char check) {
  if (CcommandManager* m = manager()) m->setCheckUsbDriver(check != 0);
}

bool ispSyncTarget() {
  return guarded([] { return bannerLine("ispSyncTarget"); }, [] { manager()->syncTarget(); });
}

bool ispSelectCanNode(unsigned char node) {
  return guarded([&] { return "***** ispSelectCanNode " + toLowerHex(node) + " *****"; },
                 [&] { manager()->selectCanNode(node); });
}

bool ispUpdateCmdsIds(unsigned char cris) {
  return guarded([&] { return "***** ispUpdateCmdsIds " + std::to_string(cris) + " *****"; },
                 [&] {
                   manager()->updateCmdsIds(cris);
                   manager()->updateRxFilter(cris);
                 });
}

bool ispSelectProtocol(int hardwareCode, int variant) {
  bool selected = false;
  guardedQuiet([&] { selected = manager()->selectProtocol(hardwareCode, variant); });
  return selected;
}

bool ispUpdateRs232Baudrate(int baud) {
  return guardedQuiet([&] { manager()->updateRs232Baudrate(baud); });
}

bool ispSetDtrLow() {
  return guarded([] { return bannerLine("ispSetDtrLow"); }, [] { manager()->setDtrLow(); });
}

bool ispSetDtrHigh() {
  return guarded([] { return bannerLine("ispSetDtrHigh"); }, [] { manager()->setDtrHigh(); });
}

bool ispSetRtsLow() {
  return guarded([] { return bannerLine("ispSetRtsLow"); }, [] { manager()->setRtsLow(); });
}

bool ispSetRtsHigh() {
  return guarded([] { return bannerLine("ispSetRtsHigh"); }, [] { manager()->setRtsHigh(); });
}

// A 30 ms DTR pulse to the level dtrLevel names while RTS is held at its
// start level, then RTS is released. A failing line change is only recorded
// in the last status.
bool ispSetAutoIsp(unsigned char dtrLevel, unsigned char rtsLevel) {
  if (CcommandManager* m = manager()) banner(*m, [] { return bannerLine("ispSetAutoIsp"); });
  rtsLevel ? ispSetRtsLow() : ispSetRtsHigh();
  dtrLevel ? ispSetDtrHigh() : ispSetDtrLow();
  platform::win::Sleep(30);
  dtrLevel ? ispSetDtrLow() : ispSetDtrHigh();
  platform::win::Sleep(100);
  rtsLevel ? ispSetRtsHigh() : ispSetRtsLow();
  platform::win::Sleep(200);
  return true;
}

}  // extern "C"
