#include "app/params/log_dump.h"

#include <cerrno>
#include <cstring>

std::string LogDumpRow(int row, int32_t value) {
  char text[48];
  std::snprintf(text, sizeof text, "%d;%ld;%.8X\n", row, static_cast<long>(value), static_cast<uint32_t>(value));
  return text;
}

std::string LogValueText(int32_t value) {
  char text[40];
  std::snprintf(text, sizeof text, "%ld  /  %.8X", static_cast<long>(value), static_cast<uint32_t>(value));
  return text;
}

std::string RuntimeViewerLogHeader() {
  return "VD417 - Ringspeicher -> Teile \n\n"
         "Index;long-Wert(dec);long-Wert(hex)\n" +
         std::string(36, '-') + "\n\n";
}

bool LogDumpFile::Create(const std::string& name) {
  file_.reset(std::fopen(name.c_str(), "w"));
  error_ = file_ ? std::string() : std::string(std::strerror(errno));
  return IsOpen();
}

void LogDumpFile::Write(const std::string& text) {
  if (file_) std::fputs(text.c_str(), file_.get());
}

bool LogDumpFile::Close() {
  if (!file_) return true;
  const bool flushed = std::fflush(file_.get()) == 0 && std::ferror(file_.get()) == 0;
  if (!flushed) error_ = std::strerror(errno);
  const bool closed = std::fclose(file_.release()) == 0;
  if (flushed && !closed) error_ = std::strerror(errno);
  return flushed && closed;
}

LogDumpResult DumpLogEntries(uint16_t count, LogDumpFile& file, const LogDumpSteps& steps) {
  LogDumpResult result;
  for (uint32_t index = 0; index < count; ++index) {
    if (!steps.running()) {
      result.end = LogDumpEnd::Stopped;
      return result;
    }
    const std::optional<int32_t> value = steps.readEntry(static_cast<uint16_t>(index));
    if (!value) {
      result.end = LogDumpEnd::EntryUnread;
      return result;
    }
    ++result.rows;
    file.Write(LogDumpRow(result.rows, *value));
    if (steps.shown) steps.shown(result.rows, *value);
  }
  return result;
}
