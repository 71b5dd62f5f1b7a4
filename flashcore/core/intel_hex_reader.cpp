#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>
#include <vector>

#include "flashcore/core/hex_text.h"
#include "flashcore/core/intel_hex.h"
#include "flashcore/core/status.h"

namespace {

constexpr size_t kMaxLineLength = 254;
constexpr char kUpperDigits[] = "0123456789ABCDEF";

// A run of data bytes found in the file, stored once the whole file has passed.
struct DataRun {
  std::uint32_t imageAddress;
  const char* digits;
  std::uint32_t count;
};

std::uint32_t hexField(std::string_view line, size_t position, size_t length) {
  std::uint32_t value = 0;
  for (size_t i = 0; i < length; ++i) value = value * 16 + static_cast<unsigned>(hexDigitValue(line[position + i]));
  return value;
}

bool allHexDigits(std::string_view text) {
  for (char c : text)
    if (hexDigitValue(c) < 0) return false;
  return true;
}

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw STATUS_CANNOT_OPEN_FILE;
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) throw STATUS_CANNOT_OPEN_FILE;
  return std::move(content).str();
}

class HexParser {
 public:
  HexParser(const std::string& text, const CmemoryArea& area)
      : text_(text), base_(static_cast<std::uint32_t>(area.baseAddress())), size_(area.size()) {}

  // Checks every record up to the end record; collects the data runs.
  void parse() {
    size_t position = 0;
    for (;;) {
      if (position >= text_.size()) throw STATUS_HEX_FILE_SYNTAX_ERROR;  // no end record
      size_t lineEnd = text_.find('\n', position);
      if (lineEnd == std::string::npos) lineEnd = text_.size();
      std::string_view line(text_.data() + position, lineEnd - position);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      position = lineEnd + 1;
      if (record(line)) return;
    }
  }

  const std::vector<DataRun>& runs() const { return runs_; }
  bool hasData() const { return hasData_; }
  std::uint32_t lowest() const { return lowest_; }
  std::uint32_t highest() const { return highest_; }

 private:
  // One line; true at the end record.
  bool record(std::string_view line) {
    if (line.empty() || line[0] != ':') throw STATUS_HEX_FILE_SYNTAX_ERROR;
    if (line.size() > kMaxLineLength || line.size() < 11) throw STATUS_HEX_FILE_SYNTAX_ERROR;
    const std::string_view body = line.substr(1);
    if (!allHexDigits(body)) throw STATUS_HEX_FILE_SYNTAX_ERROR;
    // The checksum is compared as text, so one written in lower case fails.
    const std::string_view fields = body.substr(0, body.size() - 2);
    const std::uint8_t checksum = hexPairChecksumValue(fields);
    if (body[body.size() - 2] != kUpperDigits[checksum >> 4] || body[body.size() - 1] != kUpperDigits[checksum & 0xF])
      throw STATUS_HEX_FILE_CHECKSUM_ERROR;

    const std::uint32_t count = hexField(line, 1, 2);
    if (line.size() != 11 + 2 * static_cast<size_t>(count)) throw STATUS_HEX_FILE_SYNTAX_ERROR;
    const std::uint32_t offset = hexField(line, 3, 4);
    switch (hexField(line, 7, 2)) {
      case 0:
        data(offset, line.data() + 9, count);
        return false;
      case 1:
        return true;
      case 2:
        if (count != 2) throw STATUS_HEX_FILE_SYNTAX_ERROR;
        extended_ = hexField(line, 9, 4) * 16;
        segmented_ = true;
        return false;
      case 4:
        if (count != 2) throw STATUS_HEX_FILE_SYNTAX_ERROR;
        extended_ = hexField(line, 9, 4) << 16;
        segmented_ = false;
        return false;
      default:  // start addresses and other records carry no image data
        return false;
    }
  }

  void data(std::uint32_t offset, const char* digits, std::uint32_t count) {
    // Under a segment address the offset wraps within its 64 KB segment, so a
    // record that runs past the segment's end continues at its start.
    while (count > 0) {
      std::uint32_t run = count;
      if (segmented_) run = std::min<std::uint32_t>(count, 0x10000 - offset);
      addRun(static_cast<std::uint64_t>(extended_) + offset, digits, run);
      digits += 2 * static_cast<size_t>(run);
      count -= run;
      offset = (offset + run) & 0xFFFF;
    }
  }

  void addRun(std::uint64_t fileAddress, const char* digits, std::uint32_t count) {
    const std::uint64_t last = fileAddress + count - 1;
    if (fileAddress < base_ || last >= static_cast<std::uint64_t>(base_) + size_)
      throw STATUS_ADDRESS_OUT_OF_RANGE_ERROR;
    const auto first = static_cast<std::uint32_t>(fileAddress);
    if (!hasData_ || first < lowest_) lowest_ = first;
    if (!hasData_ || last > highest_) highest_ = static_cast<std::uint32_t>(last);
    hasData_ = true;
    runs_.push_back({first - base_, digits, count});
  }

  const std::string& text_;
  const std::uint32_t base_;
  const std::uint32_t size_;
  std::uint32_t extended_ = 0;
  bool segmented_ = false;
  bool hasData_ = false;
  std::uint32_t lowest_ = 0;
  std::uint32_t highest_ = 0;
  std::vector<DataRun> runs_;
};

}  // namespace

HexLoadResult readIntelHexFile(const std::string& path, CmemoryArea& area) {
  const std::string text = readWholeFile(path);
  HexParser parser(text, area);
  parser.parse();

  for (const DataRun& run : parser.runs()) area.setPairs(run.imageAddress, run.digits, run.count);

  HexLoadResult result;
  if (parser.hasData()) {
    const auto base = static_cast<std::uint32_t>(area.baseAddress());
    result.rangeStart = parser.lowest() - base;
    result.rangeEnd = parser.highest() - base;
  }
  return result;
}
