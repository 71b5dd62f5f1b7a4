// Programs and verifies 32 KB of MCU26 over CAN through the library's
// exports and canlink_serial, against the CAN boot-loader simulator behind
// a serial CAN adapter whose line is paced at the baud rate, and prints the
// bytes per second of each step beside the limit that the serial line and
// the stop-and-wait exchange impose.
//
//   flashcore_can_bench [--baud N]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "flashcore/core/isp_exports.h"
#include "platform/win/library.h"
#include "tests/flashcore/bench/export_binding.h"
#include "tests/flashcore/bench/program_verify_timing.h"
#include "tests/sim/canloader/can_loader_sim.h"

namespace {

constexpr unsigned kBytes = 32 * 1024;
constexpr unsigned kFrameBytes = 8;  // data bytes per data frame and per read reply

// Characters on the serial line of a frame "tiiil" + two per data byte + CR.
double frameLine(unsigned dataBytes) { return 6 + 2.0 * dataBytes; }

}  // namespace

int main(int argc, char** argv) {
  int baud = 115200;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--baud") == 0 && i + 1 < argc) {
      baud = std::atoi(argv[++i]);
    } else {
      std::fprintf(stderr, "usage: %s [--baud N]\n", argv[0]);
      return 2;
    }
  }

  sim::CanLoaderSim loader;
  loader.setLineRate(baud);
  setenv("SERIAL_COM1", loader.slavePath().c_str(), 1);

  const platform::win::Library library = loadFlashcore();
  BIND(ispInit);
  BIND(ispGetDeviceIndex);
  BIND(ispSelectDevice);
  BIND(ispSelectCommHardware);
  BIND(ispOpenCanPort);
  BIND(ispUpdateCmdsIds);
  BIND(ispSelectCanNode);
  BIND(ispRandomizeBuffer);
  BIND(ispProgramAddrRange);
  BIND(ispVerifyAddrRange);
  BIND(ispGetLastError);
  BIND(ispCancel);

  ispInit();
  if (!ispSelectDevice(ispGetDeviceIndex("MCU26") + 1) || !ispSelectCommHardware(3) ||
      !ispOpenCanPort(500, 0, 5, 0, 0, baud) || !ispUpdateCmdsIds(0) || !ispSelectCanNode(5)) {
    std::fprintf(stderr, "connection failed: status %d\n", ispGetLastError());
    return 1;
  }
  ispRandomizeBuffer();

  const std::optional<TransferTimes> times =
      timeProgramAndVerify(kBytes, ispProgramAddrRange, ispVerifyAddrRange, ispGetLastError);
  if (!times) return 1;
  ispCancel();

  // Wire time of one character on the adapter's line as the library opens it.
  const double charTime = static_cast<double>(sim::CanLoaderSim::kBitsPerCharacter) / baud;
  // Stop and wait: the data frame goes out, the adapter confirms it ("z"
  // CR) and passes on the boot loader's one-byte answer; only then the next.
  const double programExchange = frameLine(kFrameBytes) + 2 + frameLine(1);
  // A read of eight addresses: the display request (five data bytes), its
  // confirmation and one answer of eight bytes.
  const double readExchange = frameLine(5) + 2 + frameLine(kFrameBytes);

  const double programLimit = kFrameBytes / (programExchange * charTime);
  const double verifyLimit = kFrameBytes / (readExchange * charTime);
  std::printf("%u bytes over CAN through a serial adapter at %d baud\n", kBytes, baud);
  printRates(kBytes, *times, programLimit, verifyLimit);
  return 0;
}
