#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>

#include "flashcore/core/file_error.h"
#include "flashcore/core/hex_text.h"
#include "flashcore/core/intel_hex.h"
#include "flashcore/core/status.h"

namespace {

constexpr size_t kMaxLineLength = 254;
constexpr char kUpperDigits[] = "0123456789ABCDEF";

// The lines of a file, one at a time, through a fixed buffer: however large
// the file, and whether or not it holds line ends at all, no more than one
// line of at most kMaxLineLength characters is held.
class HexLineReader {
 public:
  // Throws STATUS 22 when the path cannot be opened as a file.
  explicit HexLineReader(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0) failOnFile("open", path, errno);
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
      const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
      ::close(fd_);
      failOnFile("open", path, error);
    }
  }
  HexLineReader(const HexLineReader&) = delete;
  HexLineReader& operator=(const HexLineReader&) = delete;
  ~HexLineReader() { ::close(fd_); }

  // The next line without its line end (a carriage return before the line
  // feed is dropped). Throws STATUS 23 at the end of the file and for a line
  // longer than kMaxLineLength, as soon as it is seen to be longer; STATUS 22
  // when the file cannot be read.
  std::string_view next() {
    size_t length = 0;
    for (;;) {
      if (position_ == filled_ && !fill()) {
        if (length == 0) throw STATUS_HEX_FILE_SYNTAX_ERROR;  // no end record
        break;
      }
      const char c = buffer_[position_++];
      if (c == '\n') break;
      // One character more than a line may hold: room for a carriage return.
      if (length == kMaxLineLength + 1) throw STATUS_HEX_FILE_SYNTAX_ERROR;
      line_[length++] = c;
    }
    if (length > 0 && line_[length - 1] == '\r') --length;
    if (length > kMaxLineLength) throw STATUS_HEX_FILE_SYNTAX_ERROR;
    return {line_, length};
  }

 private:
  bool fill() {
    for (;;) {
      const ssize_t got = ::read(fd_, buffer_, sizeof buffer_);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) throw STATUS_CANNOT_OPEN_FILE;
      position_ = 0;
      filled_ = static_cast<size_t>(got);
      return got > 0;
    }
  }

  int fd_;
  char buffer_[16384];
  size_t position_ = 0;
  size_t filled_ = 0;
  char line_[kMaxLineLength + 1];
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

// Stores the records of one file into a copy of the image, which replaces
// the image only once the end record has been read.
class HexParser {
 public:
  explicit HexParser(const CmemoryArea& area)
      : staged_(area), base_(static_cast<std::uint32_t>(area.baseAddress())), size_(area.size()) {}

  // Reads every record up to the end record; nothing after it is read.
  void parse(HexLineReader& lines) {
    while (!record(lines.next())) {
    }
  }

  CmemoryArea& staged() { return staged_; }
  bool hasData() const { return hasData_; }
  std::uint32_t lowest() const { return lowest_; }
  std::uint32_t highest() const { return highest_; }

 private:
  // One line; true at the end record.
  bool record(std::string_view line) {
    if (line.empty() || line[0] != ':') throw STATUS_HEX_FILE_SYNTAX_ERROR;
    if (line.size() < 11) throw STATUS_HEX_FILE_SYNTAX_ERROR;
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
      store(static_cast<std::uint64_t>(extended_) + offset, digits, run);
      digits += 2 * static_cast<size_t>(run);
      count -= run;
      offset = (offset + run) & 0xFFFF;
    }
  }

  void store(std::uint64_t fileAddress, const char* digits, std::uint32_t count) {
    const std::uint64_t last = fileAddress + count - 1;
    if (fileAddress < base_ || last >= static_cast<std::uint64_t>(base_) + size_)
      throw STATUS_ADDRESS_OUT_OF_RANGE_ERROR;
    const auto first = static_cast<std::uint32_t>(fileAddress);
    if (!hasData_ || first < lowest_) lowest_ = first;
    if (!hasData_ || last > highest_) highest_ = static_cast<std::uint32_t>(last);
    hasData_ = true;
    staged_.setPairs(first - base_, digits, count);
  }

  CmemoryArea staged_;
  const std::uint32_t base_;
  const std::uint32_t size_;
  std::uint32_t extended_ = 0;
  bool segmented_ = false;
  bool hasData_ = false;
  std::uint32_t lowest_ = 0;
  std::uint32_t highest_ = 0;
};

}  // namespace

HexLoadResult readIntelHexFile(const std::string& path, CmemoryArea& area) {
  HexLineReader lines(path);
  HexParser parser(area);
  parser.parse(lines);
  area = std::move(parser.staged());

  HexLoadResult result;
  if (parser.hasData()) {
    const auto base = static_cast<std::uint32_t>(area.baseAddress());
    result.rangeStart = parser.lowest() - base;
    result.rangeEnd = parser.highest() - base;
  }
  return result;
}
