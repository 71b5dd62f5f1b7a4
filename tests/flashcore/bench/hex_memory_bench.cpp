// Peak memory of loading an Intel HEX file through the library's exports,
// as the console programmer's LOADBUFFER does, for files that are large or
// never end: by default a file whose end record is followed by 100 MB, and
// /dev/zero. Each file is loaded in a process of its own; the peak resident
// size during the load is taken from VmHWM after resetting it.
//
//   flashcore_hex_memory_bench [FILE...]
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "flashcore/core/isp_exports.h"
#include "platform/win/library.h"
#include "tests/flashcore/bench/export_binding.h"

namespace {

constexpr long kTrailingBytes = 100L * 1024 * 1024;

// A field of /proc/self/status in kB.
long statusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(field) + ":";
  while (std::getline(status, line))
    if (line.rfind(prefix, 0) == 0) return std::atol(line.c_str() + prefix.size());
  return -1;
}

// Loads the file in this process; prints the result and the memory figures.
int loadOne(const char* path) {
  const platform::win::Library library = loadFlashcore();
  BIND(ispInit);
  BIND(ispSelectDevice);
  BIND(ispParseHexFile);
  BIND(ispGetLastError);
  ispInit();
  if (!ispSelectDevice(26)) return 1;  // MCU27: 128 KB FLASH

  std::ofstream("/proc/self/clear_refs") << "5";  // VmHWM starts again from the present size
  const long before = statusKb("VmRSS");
  const bool loaded = ispParseHexFile(path);
  const long peak = statusKb("VmHWM");
  std::printf("%-40s %-6s status %2d  RSS before %6ld kB  peak %6ld kB  growth %6ld kB\n", path,
              loaded ? "loaded" : "failed", loaded ? 0 : ispGetLastError(), before, peak, peak - before);
  return 0;
}

std::string makeTrailingFile() {
  char name[] = "/tmp/hex-trailing-XXXXXX";
  const int fd = mkstemp(name);
  if (fd < 0) return {};
  close(fd);
  std::ofstream out(name, std::ios::binary);
  out << ":10000000000102030405060708090A0B0C0D0E0F78\r\n:00000001FF\r\n";
  const std::string line(79, 'x');
  for (long written = 0; written < kTrailingBytes; written += 80) out << line << '\n';
  return name;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--one") return loadOne(argv[2]);

  std::vector<std::string> files(argv + 1, argv + argc);
  std::string made;
  if (files.empty()) {
    made = makeTrailingFile();
    if (made.empty()) return 1;
    files = {made, "/dev/zero"};
  }
  int result = 0;
  for (const std::string& file : files) {
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
      execl("/proc/self/exe", argv[0], "--one", file.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) result = 1;
  }
  if (!made.empty()) unlink(made.c_str());
  return result;
}
