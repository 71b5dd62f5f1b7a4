// Loads, checksums and saves a full 128 KB image through the library's
// exports, as the console programmer does (LOADBUFFER, checksum, SAVEBUFFER),
// and prints how long each step took.
//
//   flashcore_hex_bench IN.hex OUT.hex [REPEATS]
//
// With REPEATS > 1 each step's median over the repeats is printed; timing
// the whole process from outside compares it with another tool's conversion.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "flashcore/core/isp_exports.h"
#include "platform/win/library.h"
#include "tests/flashcore/bench/export_binding.h"

namespace {

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s IN.hex OUT.hex [REPEATS]\n", argv[0]);
    return 2;
  }
  const int repeats = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1;

  const platform::win::Library library = loadFlashcore();
  BIND(ispInit);
  BIND(ispSelectDevice);
  BIND(ispParseHexFile);
  BIND(ispComputeBufferChecksum);
  BIND(ispWriteHexFile);
  BIND(ispGetLastResult);
  BIND(ispGetLastError);

  ispInit();
  if (!ispSelectDevice(26)) return 1;  // MCU27: 128 KB FLASH

  using Clock = std::chrono::steady_clock;
  auto ms = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
  std::vector<double> load, sum, save;
  std::string checksum;
  for (int i = 0; i < repeats; ++i) {
    const auto t0 = Clock::now();
    if (!ispParseHexFile(argv[1])) {
      std::fprintf(stderr, "load failed: status %d\n", ispGetLastError());
      return 1;
    }
    const auto t1 = Clock::now();
    ispComputeBufferChecksum(0, 0x1FFFF);
    checksum = ispGetLastResult();
    const auto t2 = Clock::now();
    if (!ispWriteHexFile(0, 0x1FFFF, argv[2], 0)) {
      std::fprintf(stderr, "save failed: status %d\n", ispGetLastError());
      return 1;
    }
    const auto t3 = Clock::now();
    load.push_back(ms(t1 - t0));
    sum.push_back(ms(t2 - t1));
    save.push_back(ms(t3 - t2));
  }
  std::printf("checksum %s; load %.2f ms, checksum %.2f ms, save %.2f ms (median of %d)\n", checksum.c_str(),
              median(load), median(sum), median(save), repeats);
  return 0;
}
