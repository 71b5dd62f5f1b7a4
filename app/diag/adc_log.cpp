#include "app/diag/adc_log.h"

#include <cerrno>

namespace {

// Enough for every run a minute can hold.
constexpr int kMaxSameMinute = 1000;

}  // namespace

bool AdcLogFile::Create(Kind kind, const std::string& stamp, const std::string& startTime) {
  const std::string base = (kind == Kind::Counts ? "adc_log_" : "mv_log_") + stamp;
  file_.reset();
  for (int k = 1; k <= kMaxSameMinute && !file_; ++k) {
    name_ = base + (k == 1 ? std::string() : "_" + std::to_string(k)) + ".txt";
    // "x": created only when no file of that name exists.
    file_.reset(std::fopen(name_.c_str(), "w+x"));
    if (!file_ && errno != EEXIST) break;
  }
  if (!file_) {
    name_.clear();
    return false;
  }
  std::fputs(kind == Kind::Counts ? "VD417 - Logging -> Teile und mV/V\n\n" : "VD417 - Logging -> mV/V\n\n",
             file_.get());
  std::fprintf(file_.get(), "Start: %s\n\n", startTime.c_str());
  return true;
}

void AdcLogFile::WriteCounts(const std::string& time, int channel, long counts, float millivoltPerVolt) {
  if (file_)
    std::fprintf(file_.get(), "%s;   C%d;   %ld;   %.6f\n", time.c_str(), channel, counts,
                 static_cast<double>(millivoltPerVolt));
}

void AdcLogFile::WriteMillivolt(const std::string& time, int channel, const std::string& millivolt) {
  if (file_) std::fprintf(file_.get(), "%s;   C%d;   %s\n", time.c_str(), channel, millivolt.c_str());
}

void AdcLogFile::Finish(const std::string& stopTime) {
  if (!file_) return;
  std::fprintf(file_.get(), "\nStop: %s", stopTime.c_str());
  std::fflush(file_.get());
  file_.reset();
}
