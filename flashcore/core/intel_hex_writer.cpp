#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "flashcore/core/file_error.h"
#include "flashcore/core/hex_text.h"
#include "flashcore/core/intel_hex.h"
#include "flashcore/core/status.h"

namespace {

constexpr char kUpperDigits[] = "0123456789ABCDEF";
constexpr std::uint32_t kRecordBytes = 16;

// Builds the lines of the file; every byte goes out as two upper-case digits
// of its value, whatever text the image holds for it.
class RecordBuilder {
 public:
  void addressRecord(bool segmentRecords, std::uint32_t page) {
    const std::uint32_t value = segmentRecords ? page * 4096 : page;
    begin(2, 0, segmentRecords ? 2 : 4);
    byte(static_cast<std::uint8_t>(value >> 8));
    byte(static_cast<std::uint8_t>(value));
    end();
  }

  void dataRecord(const CmemoryArea& area, std::uint32_t imageAddress, std::uint32_t fileOffset, std::uint32_t count) {
    begin(count, fileOffset, 0);
    for (std::uint32_t k = 0; k < count; ++k) byte(static_cast<std::uint8_t>(area.value(imageAddress + k)));
    end();
  }

  void endRecord() { text_ += ":00000001FF\r\n"; }

  const std::string& text() const { return text_; }
  void reserve(size_t bytes) { text_.reserve(bytes); }

 private:
  void begin(std::uint32_t count, std::uint32_t offset, std::uint8_t type) {
    text_ += ':';
    sum_ = 0;
    byte(static_cast<std::uint8_t>(count));
    byte(static_cast<std::uint8_t>(offset >> 8));
    byte(static_cast<std::uint8_t>(offset));
    byte(type);
  }

  void byte(std::uint8_t value) {
    text_ += kUpperDigits[value >> 4];
    text_ += kUpperDigits[value & 0xF];
    sum_ += value;
  }

  void end() {
    const auto checksum = static_cast<std::uint8_t>(0u - sum_);
    text_ += kUpperDigits[checksum >> 4];
    text_ += kUpperDigits[checksum & 0xF];
    text_ += "\r\n";
  }

  std::string text_;
  unsigned sum_ = 0;
};

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

void writeFile(const std::string& path, const std::string& text) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) failOnFile("open", path, errno);
  const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
  if (!written || std::fclose(file.release()) != 0) failOnFile("write", path, errno);
}

}  // namespace

void writeIntelHexFile(const std::string& path, const CmemoryArea& area, std::uint32_t start, std::uint32_t end,
                       bool segmentRecords, const HexProgress& progress) {
  if (end < start || end >= area.size()) throw STATUS_ADDRESS_OUT_OF_RANGE_ERROR;

  // Percentage of the range that one 16-byte record stands for.
  const float step = start == end ? 100.0f : static_cast<float>(1600.0 / (end - start));
  float accumulated = 0;

  RecordBuilder records;
  records.reserve((static_cast<size_t>(end - start) / kRecordBytes + 2) * 45);
  const auto base = static_cast<std::uint32_t>(area.baseAddress());
  std::uint32_t lastPage = 0xFFFF;
  std::uint64_t a = start;
  while (a <= end) {
    const auto fileAddress = static_cast<std::uint32_t>(a + base);
    const std::uint32_t page = fileAddress >> 16;
    if (page != lastPage) {
      lastPage = page;
      records.addressRecord(segmentRecords, page);
    }
    std::uint64_t count = std::min<std::uint64_t>(end - a + 1, kRecordBytes);
    // A segment address cannot carry a record past the end of its 64 KB
    // segment, so such a record is split there.
    if (segmentRecords) count = std::min<std::uint64_t>(count, 0x10000 - (fileAddress & 0xFFFF));
    records.dataRecord(area, static_cast<std::uint32_t>(a), fileAddress & 0xFFFF, static_cast<std::uint32_t>(count));
    a += count;
    accumulated += step;
    if (accumulated > 10) {
      if (progress) progress(accumulated);
      accumulated = 0;
    }
  }
  records.endRecord();
  writeFile(path, records.text());
}
