#pragma once
// The log-memory dump "ring_count_log.txt": the rows that both log-memory
// windows write, the file, and the loop that reads the device's entries into
// it. Each window writes its own header before the rows.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/link/log_file.h"

// The dump file, in the current directory.
inline constexpr char LOG_DUMP_FILE_NAME[] = "ring_count_log.txt";

// One row: the row number (from 1), the entry as a signed decimal and as
// eight upper-case hex digits (two's complement), "%d;%ld;%.8X\n".
std::string LogDumpRow(int row, int32_t value);
// The current entry as the windows show it while dumping, "%ld  /  %.8X".
std::string LogValueText(int32_t value);
// The header of the run-time structure viewer's dump: title, column line
// and 36 hyphens, with their blank lines.
std::string RuntimeViewerLogHeader();

// The dump file. Its rows go to a temporary file that takes the dump's name
// when it is closed, so an older dump stays whole until the new one is.
class LogDumpFile {
 public:
  // False when the file cannot be created; Error() then names the cause.
  bool Create(const std::string& name = LOG_DUMP_FILE_NAME);
  bool IsOpen() const { return file_.IsOpen(); }
  void Write(const std::string& text);
  // A write failed: nothing more is written, and the close keeps the older file.
  bool Failed() const { return static_cast<bool>(file_.Error()); }
  // Flushes and gives the dump its name; false when not every byte reached
  // the disk (the older file is kept then).
  bool Close();
  // The cause of a failure, as the system words it.
  std::string Error() const { return file_.Error() ? file_.Error().message() : std::string(); }
  std::error_code ErrorCode() const { return file_.Error(); }

 private:
  LogFile file_;
};

// How a dump ended.
enum class LogDumpEnd {
  Complete,     // a row for every entry
  Stopped,      // the user stopped it
  EntryUnread,  // an entry got no valid answer; the rows before it are written
  WriteFailed,  // the file could not be written; no more entries were read
};
struct LogDumpResult {
  LogDumpEnd end = LogDumpEnd::Complete;
  int rows = 0;
};

// What a dump asks of its window.
struct LogDumpSteps {
  // The entry at `index`; nullopt when the device gave no valid answer.
  std::function<std::optional<int32_t>(uint16_t index)> readEntry;
  // Called after each row with its number and value.
  std::function<void(int row, int32_t value)> shown;
  // Asked before each entry; false ends the dump.
  std::function<bool()> running;
};

// Reads the entries 0 .. count - 1, one request each, and writes a row for
// each. It ends before the next entry once `running` turns false, at the
// first entry that cannot be read, so that no row carries a value that was
// not read for it, and once the file cannot be written.
LogDumpResult DumpLogEntries(uint16_t count, LogDumpFile& file, const LogDumpSteps& steps);
