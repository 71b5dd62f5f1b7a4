#include "flashcore/core/memory_area.h"

#include <algorithm>

#include "flashcore/core/hex_text.h"

namespace {

std::uint16_t crcStep(std::uint16_t crc, std::uint8_t byte) {
  unsigned x = (crc ^ byte) & 0xFFu;
  for (int bit = 0; bit < 8; ++bit) x = (x & 1u) ? (x >> 1) ^ 0x8408u : x >> 1;
  return static_cast<std::uint16_t>(x ^ (crc >> 8));
}

}  // namespace

std::uint16_t crc16X25(const std::uint8_t* data, size_t length) {
  std::uint16_t crc = 0xFFFF;
  for (size_t i = 0; i < length; ++i) crc = crcStep(crc, data[i]);
  return static_cast<std::uint16_t>(~crc & 0xFFFFu);
}

CmemoryArea::CmemoryArea(std::uint32_t size, std::string fill, std::uint8_t blockCount)
    : size_(std::max<std::uint32_t>(size, 1024)), fill_(std::move(fill)), blockCount_(blockCount) {
  fillImage(bytes_, size_);
}

CmemoryArea::CmemoryArea(const CmemoryArea& other)
    : size_(other.size_),
      fill_(other.fill_),
      blockCount_(other.blockCount_),
      bytes_(other.bytes_),
      backup_(other.backup_ ? std::make_unique<Image>(*other.backup_) : nullptr),
      baseAddress_(other.baseAddress_) {}

CmemoryArea& CmemoryArea::operator=(const CmemoryArea& other) {
  if (this != &other) *this = CmemoryArea(other);
  return *this;
}

void CmemoryArea::fillImage(Image& image, std::uint32_t count) const {
  image.odd.clear();
  if (fill_.size() == 2) {
    image.pairs.resize(2 * static_cast<size_t>(count));
    for (size_t i = 0; i < image.pairs.size(); i += 2) {
      image.pairs[i] = fill_[0];
      image.pairs[i + 1] = fill_[1];
    }
  } else {
    image.pairs.assign(2 * static_cast<size_t>(count), '0');
    for (std::uint32_t a = 0; a < count; ++a) image.odd.emplace(a, fill_);
  }
}

std::uint32_t CmemoryArea::pairValue(char high, char low) {
  const int h = hexDigitValue(high);
  if (h < 0) return 0;
  const int l = hexDigitValue(low);
  if (l < 0) return static_cast<std::uint32_t>(h);
  return static_cast<std::uint32_t>(h * 16 + l);
}

bool CmemoryArea::setByte(std::uint32_t address, std::string_view text) {
  if (address >= size_) return false;
  if (text.size() == 2) {
    bytes_.pairs[2 * static_cast<size_t>(address)] = text[0];
    bytes_.pairs[2 * static_cast<size_t>(address) + 1] = text[1];
    if (!bytes_.odd.empty()) bytes_.odd.erase(address);
  } else {
    bytes_.odd[address] = std::string(text);
  }
  return true;
}

std::string CmemoryArea::getByte(std::uint32_t address) const {
  if (address >= size_) return fill_;
  if (!bytes_.odd.empty()) {
    const auto found = bytes_.odd.find(address);
    if (found != bytes_.odd.end()) return found->second;
  }
  return std::string(&bytes_.pairs[2 * static_cast<size_t>(address)], 2);
}

std::uint32_t CmemoryArea::value(std::uint32_t address) const {
  if (address >= size_) return hexTextValue(fill_);
  if (!bytes_.odd.empty()) {
    const auto found = bytes_.odd.find(address);
    if (found != bytes_.odd.end()) return hexTextValue(found->second);
  }
  const size_t at = 2 * static_cast<size_t>(address);
  return pairValue(bytes_.pairs[at], bytes_.pairs[at + 1]);
}

void CmemoryArea::setPairs(std::uint32_t address, const char* pairs, std::uint32_t count) {
  std::copy(pairs, pairs + 2 * static_cast<size_t>(count), bytes_.pairs.begin() + 2 * static_cast<size_t>(address));
  if (!bytes_.odd.empty())
    for (std::uint32_t i = 0; i < count; ++i) bytes_.odd.erase(address + i);
}

void CmemoryArea::fillRange(std::uint32_t first, std::uint32_t last, std::string_view text) {
  for (std::uint64_t a = first; a <= last; ++a) setByte(static_cast<std::uint32_t>(a), text);
}

void CmemoryArea::reset() { fillImage(bytes_, size_); }

std::uint32_t CmemoryArea::byteSum(std::uint32_t start, std::uint32_t end) const {
  if (end < start) return 0;
  std::uint32_t sum = 0;
  const std::uint32_t lastInside = std::min(end, size_ - 1);
  if (start < size_) {
    if (bytes_.odd.empty()) {
      const char* pair = bytes_.pairs.data() + 2 * static_cast<size_t>(start);
      for (std::uint64_t a = start; a <= lastInside; ++a, pair += 2) sum += pairValue(pair[0], pair[1]);
    } else {
      for (std::uint64_t a = start; a <= lastInside; ++a) sum += value(static_cast<std::uint32_t>(a));
    }
  }
  // Addresses beyond the memory read as the fill text.
  const std::uint64_t firstBeyond = std::max<std::uint64_t>(start, size_);
  if (end >= firstBeyond) {
    const std::uint64_t beyond = static_cast<std::uint64_t>(end) - firstBeyond + 1;
    sum += static_cast<std::uint32_t>(beyond * hexTextValue(fill_));
  }
  return sum;
}

std::uint16_t CmemoryArea::crc16() const {
  std::uint16_t crc = 0xFFFF;
  for (std::uint32_t a = 0; a + 2 < size_; ++a) crc = crcStep(crc, static_cast<std::uint8_t>(value(a)));
  return static_cast<std::uint16_t>(~crc & 0xFFFFu);
}

void CmemoryArea::createBackup(std::uint32_t count) {
  backup_ = std::make_unique<Image>();
  fillImage(*backup_, std::max(count, size_));
}

void CmemoryArea::saveBackup() {
  if (!backup_) createBackup(size_);
  std::copy(bytes_.pairs.begin(), bytes_.pairs.end(), backup_->pairs.begin());
  backup_->odd = bytes_.odd;
}

void CmemoryArea::restoreBackup() {
  if (!backup_) return;
  std::copy(backup_->pairs.begin(), backup_->pairs.begin() + static_cast<std::ptrdiff_t>(bytes_.pairs.size()),
            bytes_.pairs.begin());
  bytes_.odd.clear();
  for (const auto& [address, text] : backup_->odd)
    if (address < size_) bytes_.odd.emplace(address, text);
}

void CmemoryArea::freeBackup() { backup_.reset(); }
