#include "app/link/log_file.h"

#include <sys/stat.h>

#include "app/program/text_table.h"

bool LogFile::Open(const std::string& name, Report report) {
  Close();
  name_ = name;
  report_ = std::move(report);
  error_ = file_.Open(name);
  running_ = !error_;
  return running_;
}

void LogFile::Write(std::string_view text) {
  if (!running_ || error_) return;
  if (const std::error_code error = file_.Write(text)) Failed(error);
}

bool LogFile::Close() {
  if (!running_) return !error_;
  running_ = false;
  if (error_) return false;
  const std::error_code error = file_.Commit();
  if (error) Failed(error);
  return !error;
}

void LogFile::Failed(std::error_code cause) {
  error_ = cause;
  // The unfinished file goes at once: on a full disk it holds the space.
  file_.Discard();
  if (report_) report_(name_, cause);
}

std::string FreeLogName(const std::string& stem, const std::function<bool(const std::string&)>& exists) {
  std::string name = stem + ".txt";
  for (int n = 2; exists(name); ++n) name = stem + "_" + std::to_string(n) + ".txt";
  return name;
}

bool LogNameTaken(const std::string& name) {
  struct stat info {};
  return ::stat(name.c_str(), &info) == 0;
}

std::string FileWriteErrorText(const std::string& name, std::error_code cause, int lang) {
  return std::string(ByLanguage(lang, "Fehler beim Schreiben der Datei \"", "Error writing file \"")) + name +
         "\"!\n" + cause.message();
}
