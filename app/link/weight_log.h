#pragma once
// The test window's reading of a weight text and its weight log file.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/link/log_file.h"

// A weight text cut into its fields: the text up to "C" is dropped, then the
// channel number, gross and net each end at ":" and the tare ends at "<";
// separators at the start of a field are skipped. Gross, net and tare are
// shown without their first character (the sign place). A field the text
// does not hold is empty, and its channel is then nullopt.
struct WeightFields {
  std::optional<int> channel;
  std::string gross;
  std::string net;
  std::string tare;
};
WeightFields ParseWeightText(std::string_view text);

// "gewichts_log_<ddmmYYYY_HHMM>.txt" for the minute `stamp`; when that name
// is taken (`exists`), "_2", "_3" ... is put before ".txt", so that a second
// log of the same minute does not empty the first.
std::string WeightLogName(const std::string& stamp, const std::function<bool(const std::string&)>& exists);

// One weight log: a header at the start, a line per good read, the stop
// line at the end. The file takes its name when the log is closed.
class WeightLog {
 public:
  // Starts a new log in the current directory; false when it cannot be
  // created. A write that fails later is told to `report`.
  bool Open(LogFile::Report report = {});
  bool IsOpen() const { return file_.IsOpen(); }
  const std::string& Name() const { return file_.Name(); }
  // Why the log could not be created or written.
  std::error_code Error() const { return file_.Error(); }
  // "<time>   <weight text>\n"
  void AddLine(const std::string& time, const std::string& weightText);
  // Writes the stop line and gives the log its name; false when the log
  // could not be written whole.
  bool Close();

 private:
  LogFile file_;
};
