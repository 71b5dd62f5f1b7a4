// Loads and saves a set-up file grown by hand: the file of a known set-up
// with comment lines spread over its sections, 4 MB by default. Prints the
// median time of each step and the time per MB, and checks that the values
// read are those of the set-up.
//
//   setup_file_bench [MEGABYTES] [REPEATS]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/setup/setup_file.h"
#include "platform/forms/ini_file.h"
#include "tests/app/setup/known_setup.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const SetupFileInfo kInfo{"Thursday 10.12.26 14:05:09", 0};

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The file's text with `bytes` of comment lines shared out evenly after its
// lines.
std::string padded(const std::string& text, size_t bytes) {
  const size_t sections = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
  const std::string comment = "; Hand-written note on this device: nothing to be changed here without the plan.\n";
  const size_t perSection = bytes / sections / comment.size() + 1;
  std::string block;
  for (size_t i = 0; i < perSection; ++i) block += comment;
  std::string out;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    out += line + "\n";
    out += block;
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  const double megabytes = argc > 1 ? std::atof(argv[1]) : 4.0;
  const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const fs::path dir = fs::temp_directory_path() / ("setup_file_bench_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string path = (dir / "grown.dis").string();

  const SetupImageBytes known = known_setup::Image();
  {
    TIniFile fresh((dir / "fresh.dis").string());
    WriteSetupFile(fresh, known, kInfo);
  }
  const std::string grown = padded(readText(dir / "fresh.dis"), static_cast<size_t>(megabytes * 1024 * 1024));
  const double fileMb = static_cast<double>(grown.size()) / (1024 * 1024);

  std::vector<double> loads, saves;
  bool same = true;
  for (int i = 0; i < repeats; ++i) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << grown;

    SetupImageBytes image{};
    DefaultKeylessBytes(image);
    const auto t0 = Clock::now();
    {
      const TIniFile ini(path);
      if (CheckSetupFile(ini) != SetupFileError::None) same = false;
      ReadSetupFile(ini, image);
    }
    const auto t1 = Clock::now();
    {
      TIniFile ini(path);
      WriteSetupFile(ini, known, kInfo);
    }
    const auto t2 = Clock::now();
    loads.push_back(ms(t1 - t0));
    saves.push_back(ms(t2 - t1));

    // The grown file loads the values of the fresh one and is saved unchanged.
    SetupImageBytes expected{};
    DefaultKeylessBytes(expected);
    ReadSetupFile(TIniFile((dir / "fresh.dis").string()), expected);
    same = same && image == expected && readText(path) == grown;
  }
  fs::remove_all(dir);

  const double load = median(loads), save = median(saves);
  std::printf("set-up file of %.2f MB, median of %d: load %.1f ms (%.1f ms/MB), save %.1f ms (%.1f ms/MB); values %s\n",
              fileMb, repeats, load, load / fileMb, save, save / fileMb, same ? "unchanged" : "CHANGED");
  return same ? 0 : 1;
}
