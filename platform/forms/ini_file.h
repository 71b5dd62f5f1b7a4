#pragma once
// INI text files in the manner of the class library's TIniFile. The object
// reads its file once, when it is made, and keeps it: reads and writes work
// on that copy (a write is seen by the next read), and UpdateFile() writes
// the whole text back at once, so that the file holds either its old text
// or the new one, never a part.
//
// Reads give the caller's default for a missing file, section or key, or for a
// value that is no number. A write replaces the key in place or appends it at
// the end of its section; a new section goes to the end of the file; every
// other line of an existing file stays as it was. Section and key names
// compare case-insensitively. Files are read as UTF-8, or as Windows-1252 when
// they are not valid UTF-8, and written as UTF-8. Floats are written with "."
// and read with "." or ",".
#include <stdexcept>
#include <string>
#include <system_error>

#include "platform/forms/ini_document.h"

class EIniFileException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TIniFile {
 public:
  explicit TIniFile(std::string file_name);

  const std::string& FileName() const { return file_name_; }
  // True when the file existed and was read.
  bool FileRead() const { return !read_error_; }

  int ReadInteger(const std::string& section, const std::string& key, int default_value) const;
  double ReadFloat(const std::string& section, const std::string& key, double default_value) const;
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& default_value) const;
  bool SectionExists(const std::string& section) const;

  // Change the object's copy; the file changes with UpdateFile().
  void WriteInteger(const std::string& section, const std::string& key, int value);
  void WriteFloat(const std::string& section, const std::string& key, double value);
  void WriteString(const std::string& section, const std::string& key, const std::string& value);

  // Writes the whole text into the file. Throws EIniFileException, naming the
  // file and the cause, when it cannot be written, and then the file keeps
  // its old text; a file that exists but could not be read is never replaced.
  void UpdateFile();

 private:
  std::string file_name_;
  IniDocument document_;
  std::error_code read_error_;  // why the file was not read; ENOENT when it is missing
};

namespace ini_text {
// Text of a float as the ini files hold it: up to 15 significant digits, ".".
std::string FormatFloat(double value);
// Whole text as an integer (decimal, or hex after "$" or "0x"); false if none.
bool ParseInteger(const std::string& text, int& value);
// Whole text as a float with "." or ","; false if none.
bool ParseFloat(const std::string& text, double& value);
// Text in UTF-8: kept when it is valid UTF-8, else taken as Windows-1252.
std::string ToUtf8(const std::string& bytes);
}  // namespace ini_text
