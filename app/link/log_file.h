#pragma once
// A log file that the program fills while a run lasts: the weight logs, the
// ADC logs, the trace and the log-memory dump. Its text goes to a temporary
// file beside it, which takes the log's name when the log is closed, so an
// older file of that name stays whole until the new log is complete. The
// first write that fails is reported at once, with the file's name and the
// cause; the unfinished file is dropped then, the log writes nothing more,
// and the older file stays in place.
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/files/replacing_file.h"

class LogFile {
 public:
  // Tells the user that `name` could not be written, and why.
  using Report = std::function<void(const std::string& name, std::error_code cause)>;

  // Starts the log `name` in the current directory; false when no file can
  // be made there (Error() names the cause; nothing is reported).
  bool Open(const std::string& name, Report report);
  // From Open() to Close(), also after a failed write.
  bool IsOpen() const { return running_; }
  const std::string& Name() const { return name_; }
  // The cause of the first failure, none while all went well.
  std::error_code Error() const { return error_; }

  void Write(std::string_view text);
  // Gives the complete log its name. False when a write or the completion
  // failed; the older file is kept then.
  bool Close();

 private:
  void Failed(std::error_code cause);

  ReplacingFile file_;
  std::string name_;
  Report report_;
  std::error_code error_;
  bool running_ = false;
};

// "<stem>.txt", or when that is taken (`exists`) "<stem>_2.txt", "_3" ...,
// so that a second log of the same minute does not replace the first.
std::string FreeLogName(const std::string& stem, const std::function<bool(const std::string&)>& exists);
// True when a file of that name is there.
bool LogNameTaken(const std::string& name);

// The text up to its first zero byte, as the C output functions write a text.
inline std::string_view CText(const std::string& text) { return text.c_str(); }

// The message for a file that could not be written: its name and the cause,
// in the language `lang` (1 English, else German).
std::string FileWriteErrorText(const std::string& name, std::error_code cause, int lang);
