#include "platform/forms/ini_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/files/whole_file.h"
#include "platform/text/windows1252.h"

namespace ini_text {

std::string ToUtf8(const std::string& bytes) { return text1252::Utf8OrWindows1252(bytes); }

std::string FormatFloat(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

bool ParseInteger(const std::string& text, int& value) {
  const std::string t(Trim(text));
  if (t.empty()) return false;
  int base = 10;
  size_t start = 0;
  bool negative = false;
  if (t[0] == '-' || t[0] == '+') {
    negative = t[0] == '-';
    start = 1;
  }
  if (t.compare(start, 1, "$") == 0) {
    base = 16;
    start += 1;
  } else if (t.size() > start + 1 && t[start] == '0' && (t[start + 1] == 'x' || t[start + 1] == 'X')) {
    base = 16;
    start += 2;
  }
  if (start >= t.size()) return false;
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(t.c_str() + start, &end, base);
  if (end != t.c_str() + t.size() || errno == ERANGE || !std::isxdigit(static_cast<unsigned char>(t[start])))
    return false;
  const long long signed_v = negative ? -v : v;
  // Hex values may fill all 32 bits, as the class library's integers do.
  if (signed_v < -2147483648LL || signed_v > (base == 16 ? 0xFFFFFFFFLL : 2147483647LL)) return false;
  value = static_cast<int>(static_cast<uint32_t>(signed_v));
  return true;
}

bool ParseFloat(const std::string& text, double& value) {
  std::string t(Trim(text));
  std::replace(t.begin(), t.end(), ',', '.');
  if (t.empty()) return false;
  char* end = nullptr;
  const double v = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size() || !std::isfinite(v)) return false;
  // Reject hex floats, "inf" and "nan", which strtod takes but the ini format has not.
  if (t.find_first_of("xXnN") != std::string::npos) return false;
  value = v;
  return true;
}

}  // namespace ini_text

TIniFile::TIniFile(std::string file_name) : file_name_(std::move(file_name)) {
  std::string bytes;
  read_error_ = ReadWholeFile(file_name_, bytes);
  if (!read_error_) document_ = IniDocument(ini_text::ToUtf8(bytes));
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int default_value) const {
  int value = 0;
  const auto text = document_.Value(section, key);
  return text && ini_text::ParseInteger(*text, value) ? value : default_value;
}

double TIniFile::ReadFloat(const std::string& section, const std::string& key, double default_value) const {
  double value = 0;
  const auto text = document_.Value(section, key);
  return text && ini_text::ParseFloat(*text, value) ? value : default_value;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& default_value) const {
  return document_.Value(section, key).value_or(default_value);
}

bool TIniFile::SectionExists(const std::string& section) const { return document_.HasSection(section); }

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  document_.Set(section, key, std::to_string(value));
}

void TIniFile::WriteFloat(const std::string& section, const std::string& key, double value) {
  document_.Set(section, key, ini_text::FormatFloat(value));
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  document_.Set(section, key, value);
}

void TIniFile::UpdateFile() {
  // Replacing a file that could not be read would lose what it holds.
  if (read_error_ && read_error_ != std::errc::no_such_file_or_directory)
    throw EIniFileException(file_name_ + ": cannot read: " + read_error_.message());
  if (const std::error_code error = WriteWholeFile(file_name_, document_.Text()))
    throw EIniFileException(file_name_ + ": cannot write: " + error.message());
}
