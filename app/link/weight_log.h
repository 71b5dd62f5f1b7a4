#pragma once
// The test window's reading of a weight text and its weight log file.
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

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
// line at the end.
class WeightLog {
 public:
  // Creates a new log in the current directory; false when it cannot be created.
  bool Open();
  bool IsOpen() const { return file_ != nullptr; }
  const std::string& Name() const { return name_; }
  // "<time>   <weight text>\n"
  void AddLine(const std::string& time, const std::string& weightText);
  // Writes the stop line and closes the file.
  void Close();

 private:
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  std::string name_;
};
