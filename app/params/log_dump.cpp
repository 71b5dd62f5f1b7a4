#include "app/params/log_dump.h"

#include <cstdio>

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

bool LogDumpFile::Create(const std::string& name) { return file_.Open(name, {}); }

void LogDumpFile::Write(const std::string& text) { file_.Write(text); }

bool LogDumpFile::Close() { return file_.Close(); }

LogDumpResult DumpLogEntries(uint16_t count, LogDumpFile& file, const LogDumpSteps& steps) {
  LogDumpResult result;
  for (uint32_t index = 0; index < count; ++index) {
    if (file.Failed()) {
      result.end = LogDumpEnd::WriteFailed;
      return result;
    }
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
