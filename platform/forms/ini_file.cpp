#include "platform/forms/ini_file.h"

#include "platform/text/windows1252.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace {

struct IniLines {
  std::vector<std::string> lines;  // without line ends
  std::string line_end = "\n";
};

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::optional<IniLines> Load(const std::string& file_name) {
  std::ifstream in(file_name, std::ios::binary);
  if (!in) return std::nullopt;
  std::stringstream buffer;
  buffer << in.rdbuf();
  const std::string text = ini_text::ToUtf8(buffer.str());
  IniLines ini;
  size_t pos = 0;
  bool first = true;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    std::string line = text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
      if (first) ini.line_end = "\r\n";
    }
    first = false;
    ini.lines.push_back(line);
    if (nl == std::string::npos) break;
    pos = nl + 1;
  }
  return ini;
}

// Name of a section header line, or nullopt.
std::optional<std::string> SectionName(const std::string& line) {
  const std::string t = Trim(line);
  if (t.size() >= 2 && t.front() == '[') {
    const size_t close = t.find(']');
    if (close != std::string::npos) return Trim(t.substr(1, close - 1));
  }
  return std::nullopt;
}

// Key of a "key=value" line, or nullopt for comments and other lines.
std::optional<std::string> KeyName(const std::string& line) {
  const std::string t = Trim(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return std::nullopt;
  const size_t eq = t.find('=');
  if (eq == std::string::npos) return std::nullopt;
  return Trim(t.substr(0, eq));
}

std::string ValueOf(const std::string& line) {
  std::string v = Trim(line.substr(line.find('=') + 1));
  if (v.size() >= 2 && ((v.front() == '"' && v.back() == '"') || (v.front() == '\'' && v.back() == '\'')))
    v = v.substr(1, v.size() - 2);
  return v;
}

std::optional<std::string> Lookup(const std::string& file_name, const std::string& section,
                                  const std::string& key) {
  const auto ini = Load(file_name);
  if (!ini) return std::nullopt;
  bool in_section = false;
  for (const std::string& line : ini->lines) {
    if (auto name = SectionName(line)) {
      in_section = SameName(*name, section);
      continue;
    }
    if (in_section) {
      if (auto k = KeyName(line); k && SameName(*k, key)) return ValueOf(line);
    }
  }
  return std::nullopt;
}

void Store(const std::string& file_name, const std::string& section, const std::string& key,
           const std::string& value) {
  IniLines ini = Load(file_name).value_or(IniLines{});
  const std::string entry = key + "=" + value;
  // Find the section, the key inside it, and the line after its last entry.
  std::optional<size_t> section_line, key_line, insert_at;
  for (size_t i = 0; i < ini.lines.size(); ++i) {
    if (auto name = SectionName(ini.lines[i])) {
      if (section_line && !insert_at) insert_at = i;
      if (!section_line && SameName(*name, section)) section_line = i;
      continue;
    }
    if (section_line && !insert_at) {
      if (auto k = KeyName(ini.lines[i]); k && SameName(*k, key) && !key_line) key_line = i;
    }
  }
  if (key_line) {
    ini.lines[*key_line] = entry;
  } else if (section_line) {
    size_t at = insert_at.value_or(ini.lines.size());
    // Keep blank lines that separate this section from the next one after the new key.
    while (at > *section_line + 1 && Trim(ini.lines[at - 1]).empty()) --at;
    ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(at), entry);
  } else {
    while (!ini.lines.empty() && ini.lines.back().empty()) ini.lines.pop_back();
    ini.lines.push_back("[" + section + "]");
    ini.lines.push_back(entry);
  }
  std::string text;
  for (const std::string& line : ini.lines) text += line + ini.line_end;
  std::ofstream out(file_name, std::ios::binary | std::ios::trunc);
  if (!out) throw EIniFileException(file_name + ": " + std::strerror(errno));
  out << text;
  out.flush();
  if (!out) throw EIniFileException(file_name + ": write failed");
}

}  // namespace

namespace ini_text {

std::string ToUtf8(const std::string& bytes) { return text1252::Utf8OrWindows1252(bytes); }

std::string FormatFloat(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

bool ParseInteger(const std::string& text, int& value) {
  std::string t = Trim(text);
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
  std::string t = Trim(text);
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

TIniFile::TIniFile(std::string file_name) : file_name_(std::move(file_name)) {}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int default_value) const {
  int value = 0;
  const auto text = Lookup(file_name_, section, key);
  return text && ini_text::ParseInteger(*text, value) ? value : default_value;
}

double TIniFile::ReadFloat(const std::string& section, const std::string& key, double default_value) const {
  double value = 0;
  const auto text = Lookup(file_name_, section, key);
  return text && ini_text::ParseFloat(*text, value) ? value : default_value;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& default_value) const {
  return Lookup(file_name_, section, key).value_or(default_value);
}

bool TIniFile::SectionExists(const std::string& section) const {
  const auto ini = Load(file_name_);
  if (!ini) return false;
  return std::any_of(ini->lines.begin(), ini->lines.end(), [&](const std::string& line) {
    const auto name = SectionName(line);
    return name && SameName(*name, section);
  });
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  Store(file_name_, section, key, std::to_string(value));
}

void TIniFile::WriteFloat(const std::string& section, const std::string& key, double value) {
  Store(file_name_, section, key, ini_text::FormatFloat(value));
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  Store(file_name_, section, key, value);
}
