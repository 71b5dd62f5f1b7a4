#pragma once
// One memory of a part: its image with every byte held as a text of
// normally two hexadecimal digits, the fill text of an erased byte, the
// number of erasable blocks, the address at which the image begins in an
// Intel HEX file, and an optional backup copy of the image.
//
// A byte text of exactly two characters sits in a flat array of character
// pairs; any other text a caller stores (one character, three, empty) is
// kept beside it, so every stored text reads back unchanged.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CmemoryArea {
 public:
  // A declared size below 1024 is held as 1024 bytes.
  CmemoryArea(std::uint32_t size, std::string fill, std::uint8_t blockCount);
  CmemoryArea(const CmemoryArea& other);
  CmemoryArea& operator=(const CmemoryArea& other);
  CmemoryArea(CmemoryArea&&) noexcept = default;
  CmemoryArea& operator=(CmemoryArea&&) noexcept = default;
  ~CmemoryArea() = default;

  std::uint32_t size() const { return size_; }
  const std::string& fill() const { return fill_; }
  std::uint8_t blockCount() const { return blockCount_; }
  std::int32_t baseAddress() const { return baseAddress_; }
  void setBaseAddress(std::int32_t address) { baseAddress_ = address; }

  // False, with the image unchanged, for an address at or beyond the size.
  bool setByte(std::uint32_t address, std::string_view text);
  // The byte's text; a copy of the fill text at or beyond the size.
  std::string getByte(std::uint32_t address) const;
  // Numeric value of the byte's text (leading hexadecimal digits, 0 when
  // there are none); the fill text's value at or beyond the size.
  std::uint32_t value(std::uint32_t address) const;

  // `count` two-character texts from `pairs` (2 * count characters) stored
  // from `address` on; the caller has checked that they fit.
  void setPairs(std::uint32_t address, const char* pairs, std::uint32_t count);
  // Bytes first .. last become `text`; the caller has checked the range.
  void fillRange(std::uint32_t first, std::uint32_t last, std::string_view text);
  // Every byte becomes the fill text.
  void reset();

  // Byte sum of the addresses start .. end (wrapping at 2^32); addresses
  // beyond the size count with the fill text's value. Empty when end < start.
  std::uint32_t byteSum(std::uint32_t start, std::uint32_t end) const;

  // CRC-16/X-25 over bytes 0 .. size - 3 (the last two bytes excluded).
  std::uint16_t crc16() const;

  void createBackup(std::uint32_t count);
  void saveBackup();
  void restoreBackup();
  void freeBackup();
  bool hasBackup() const { return backup_ != nullptr; }

 private:
  struct Image {
    std::vector<char> pairs;                              // 2 characters per byte
    std::unordered_map<std::uint32_t, std::string> odd;  // texts of another length
  };

  void fillImage(Image& image, std::uint32_t count) const;
  static std::uint32_t pairValue(char high, char low);

  std::uint32_t size_;
  std::string fill_;
  std::uint8_t blockCount_;
  Image bytes_;
  std::unique_ptr<Image> backup_;
  std::int32_t baseAddress_ = 0;
};

// The published CRC-16/X-25 (reflected 0x1021, initial 0xFFFF, final XOR
// 0xFFFF) of a run of bytes; "123456789" gives 0x906E.
std::uint16_t crc16X25(const std::uint8_t* data, size_t length);
