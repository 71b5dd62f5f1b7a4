// Programs and verifies 32 KB of MCU03 through the library's exports
// against the boot-loader simulator on a line paced at the baud rate, and
// prints the bytes per second of each step beside the line-rate limit of
// the record sizes (program records of 128 bytes, display lines of 16).
//
//   flashcore_rs232_bench [--baud N] [--echo record|chars]
//
// "record": the loader echoes after the whole record (the line carries
// request and reply one after the other); "chars": it echoes each character
// as it arrives (request and reply overlap).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "flashcore/core/isp_exports.h"
#include "platform/win/library.h"
#include "tests/flashcore/bench/export_binding.h"
#include "tests/flashcore/bench/program_verify_timing.h"
#include "tests/sim/bootloader/bootloader_sim.h"

namespace {

constexpr unsigned kBytes = 32 * 1024;
constexpr unsigned kRecordSize = 128;  // program record of MCU02/MCU03
constexpr unsigned kLineSize = 16;     // display line of MCU02/MCU03
constexpr unsigned kBlockSize = 1024;  // addresses per display request

}  // namespace

int main(int argc, char** argv) {
  int baud = 115200;
  bool overlapped = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--baud") == 0 && i + 1 < argc) {
      baud = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--echo") == 0 && i + 1 < argc) {
      overlapped = std::strcmp(argv[++i], "chars") == 0;
    } else {
      std::fprintf(stderr, "usage: %s [--baud N] [--echo record|chars]\n", argv[0]);
      return 2;
    }
  }

  sim::BootloaderConfig config;
  config.family = "MCU03";
  config.echo = overlapped ? sim::EchoMode::PerCharacter : sim::EchoMode::WholeRecord;
  sim::BootloaderSim loader(config);
  loader.setLineRate(baud);
  setenv("SERIAL_COM1", loader.slavePath().c_str(), 1);

  const platform::win::Library library = loadFlashcore();
  BIND(ispInit);
  BIND(ispSelectDevice);
  BIND(ispSelectCommHardware);
  BIND(ispOpenRs232Port);
  BIND(ispSyncTarget);
  BIND(ispReadSpecialByte);
  BIND(ispRandomizeBuffer);
  BIND(ispProgramAddrRange);
  BIND(ispVerifyAddrRange);
  BIND(ispGetLastError);
  BIND(ispCancel);

  ispInit();
  if (!ispSelectDevice(4) || !ispSelectCommHardware(1) || !ispOpenRs232Port("COM1", baud) || !ispSyncTarget() ||
      !ispReadSpecialByte(0)) {
    std::fprintf(stderr, "connection failed: status %d\n", ispGetLastError());
    return 1;
  }
  ispRandomizeBuffer();

  const std::optional<TransferTimes> times =
      timeProgramAndVerify(kBytes, ispProgramAddrRange, ispVerifyAddrRange, ispGetLastError);
  if (!times) return 1;
  ispCancel();

  // Wire time of one character on the boot loader's line as the library opens it.
  const double charTime = static_cast<double>(sim::BootloaderSim::kBitsPerCharacter) / baud;
  // A program record: request ":" LL AAAA TT data CC, reply its echo, "." CR LF.
  const double request = 11 + 2 * kRecordSize;
  const double reply = request + 3;
  const double recordTime = (overlapped ? reply : request + reply) * charTime;
  // A display request of 21 characters and its reply: the echo with CR LF,
  // then per line the address, "=", two digits a byte, CR LF.
  const double displayReply = (kBlockSize / kLineSize) * (2 * kLineSize + 7) + 23;
  const double blockTime = (overlapped ? displayReply : 21 + displayReply) * charTime;

  const double programLimit = kRecordSize / recordTime;
  const double verifyLimit = kBlockSize / blockTime;
  std::printf("%u bytes at %d baud, loader echoing %s\n", kBytes, baud,
              overlapped ? "each character" : "after the whole record");
  printRates(kBytes, *times, programLimit, verifyLimit);
  return 0;
}
