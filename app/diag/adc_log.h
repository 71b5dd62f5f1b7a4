#pragma once
// The log files of the ADC measurement loops: "adc_log_<stamp>.txt" (counts
// and mV/V) and "mv_log_<stamp>.txt" (mV text), in the current directory.
// A file never replaces an earlier one: when the stamp's name is taken (a
// second run in the same minute), the file gets "_2", "_3", ... before ".txt".
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

class AdcLogFile {
 public:
  enum class Kind { Counts, Millivolt };

  // Creates the file for a run started at `startTime` (as "%A %d.%m.%y
  // %H:%M:%S") with the name stamp "%d%m%Y_%H%M", and writes the header
  // and the start line. False when no file could be created.
  bool Create(Kind kind, const std::string& stamp, const std::string& startTime);
  bool IsOpen() const { return file_ != nullptr; }
  const std::string& Name() const { return name_; }

  // One answered cycle; `time` as "%H:%M:%S".
  void WriteCounts(const std::string& time, int channel, long counts, float millivoltPerVolt);
  void WriteMillivolt(const std::string& time, int channel, const std::string& millivolt);
  // The stop line, without a line end after it; closes the file.
  void Finish(const std::string& stopTime);

 private:
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  std::string name_;
};
