#include "platform/serial/com_port_settings.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/files/whole_file.h"
#include "platform/serial/com_port_error.h"

const std::vector<int>& StandardBaudRates() {
  static const std::vector<int> rates = {110,   300,   600,   1200,  2400,   4800,   9600,   14400, 19200,
                                         38400, 56000, 57600, 76800, 115200, 128000, 230400, 256000};
  return rates;
}

std::string ParityName(TParityBits parity) {
  switch (parity) {
    case TParityBits::Odd: return "Odd";
    case TParityBits::Even: return "Even";
    case TParityBits::Mark: return "Mark";
    case TParityBits::Space: return "Space";
    default: return "None";
  }
}

std::string StopBitsName(TStopBits stopBits) {
  switch (stopBits) {
    case TStopBits::OnePointFive: return "1.5";
    case TStopBits::Two: return "2";
    default: return "1";
  }
}

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool ParseInt(const std::string& text, int low, int high, int* value) {
  int v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v < low || v > high) return false;
  *value = v;
  return true;
}

}  // namespace

bool ParseParity(const std::string& text, TParityBits* parity) {
  for (TParityBits p : {TParityBits::None, TParityBits::Odd, TParityBits::Even, TParityBits::Mark, TParityBits::Space}) {
    if (Lower(text) == Lower(ParityName(p))) {
      *parity = p;
      return true;
    }
  }
  return false;
}

bool ParseStopBits(const std::string& text, TStopBits* stopBits) {
  std::string t = text;
  std::replace(t.begin(), t.end(), ',', '.');
  for (TStopBits s : {TStopBits::One, TStopBits::OnePointFive, TStopBits::Two}) {
    if (t == StopBitsName(s)) {
      *stopBits = s;
      return true;
    }
  }
  return false;
}

void LoadComSettings(const std::string& path, TComPortSettings& settings) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) return;
  if (ec || status.type() != std::filesystem::file_type::regular)
    throw EComPort(path + ": cannot read: " + (ec ? ec.message() : std::string("not a regular file")));
  std::ifstream file(path, std::ios::binary);
  if (!file) throw EComPort(path + ": cannot read: " + std::strerror(errno));
  TComPortSettings loaded = settings;
  bool inSection = false;
  bool sectionSeen = false;
  std::string line;
  int number = 0;
  auto bad = [&](const std::string& what) {
    return EComPort(path + ":" + std::to_string(number) + ": " + what);
  };
  while (std::getline(file, line)) {
    ++number;
    line = Trim(line);
    if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line = Trim(line.substr(3));
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[') {
      if (line.back() != ']') throw bad("bad section line");
      inSection = Lower(Trim(line.substr(1, line.size() - 2))) == "comport";
      sectionSeen = sectionSeen || inSection;
      continue;
    }
    if (!inSection) continue;
    const auto eq = line.find('=');
    if (eq == std::string::npos) throw bad("line without '='");
    const std::string key = Lower(Trim(line.substr(0, eq)));
    const std::string value = Trim(line.substr(eq + 1));
    if (key == "port") {
      if (value.empty()) throw bad("empty port name");
      loaded.Port = value;
    } else if (key == "baudrate") {
      if (!ParseInt(value, 1, 4000000, &loaded.BaudRate)) throw bad("bad baud rate '" + value + "'");
    } else if (key == "databits") {
      if (!ParseInt(value, 5, 8, &loaded.DataBits)) throw bad("bad data bits '" + value + "'");
    } else if (key == "parity") {
      if (!ParseParity(value, &loaded.Parity)) throw bad("bad parity '" + value + "'");
    } else if (key == "stopbits") {
      if (!ParseStopBits(value, &loaded.StopBits)) throw bad("bad stop bits '" + value + "'");
    }
  }
  if (file.bad()) throw EComPort(path + ": cannot read: " + std::strerror(errno));
  if (!sectionSeen) throw EComPort(path + ": no [ComPort] section");
  settings = loaded;
}

void StoreComSettings(const std::string& path, const TComPortSettings& settings) {
  std::ostringstream text;
  text << "[ComPort]\n"
       << "Port=" << settings.Port << "\n"
       << "BaudRate=" << settings.BaudRate << "\n"
       << "DataBits=" << settings.DataBits << "\n"
       << "Parity=" << ParityName(settings.Parity) << "\n"
       << "StopBits=" << StopBitsName(settings.StopBits) << "\n";
  if (const std::error_code error = WriteWholeFile(path, text.str()))
    throw EComPort(path + ": cannot write: " + error.message());
}
