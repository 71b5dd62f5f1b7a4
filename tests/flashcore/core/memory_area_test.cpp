#include <gtest/gtest.h>

#include "flashcore/core/memory_area.h"

TEST(MemoryArea, DeclaredSizesBelow1024AreHeldAs1024Bytes) {
  struct Case {
    std::uint32_t declared;
    std::uint32_t held;
  } cases[] = {{1, 1024}, {3, 1024}, {128, 1024}, {512, 1024}, {1024, 1024}, {0x4000, 0x4000}, {0, 1024}};
  for (const Case& c : cases) EXPECT_EQ(CmemoryArea(c.declared, "FF", 0).size(), c.held) << c.declared;
}

TEST(MemoryArea, NewImageHoldsTheFillTextEverywhereAndBeyond) {
  CmemoryArea area(0x4000, "FF", 2);
  EXPECT_EQ(area.getByte(0), "FF");
  EXPECT_EQ(area.getByte(0x3FFF), "FF");
  EXPECT_EQ(area.getByte(0x4000), "FF");
  EXPECT_EQ(area.getByte(0x7FFFFFFF), "FF");
  EXPECT_EQ(area.blockCount(), 2);
}

TEST(MemoryArea, StoredTextsReadBackUnchanged) {
  CmemoryArea area(1024, "FF", 0);
  const char* texts[] = {"3c", "A", "", "ABC", "zz", "00"};
  for (std::uint32_t i = 0; i < std::size(texts); ++i) ASSERT_TRUE(area.setByte(i, texts[i]));
  for (std::uint32_t i = 0; i < std::size(texts); ++i) EXPECT_EQ(area.getByte(i), texts[i]);
  // A two-digit text replaces an odd one at the same address.
  ASSERT_TRUE(area.setByte(1, "7E"));
  EXPECT_EQ(area.getByte(1), "7E");
}

TEST(MemoryArea, StoreBeyondTheSizeIsRefusedAndChangesNothing) {
  CmemoryArea area(1024, "FF", 0);
  EXPECT_FALSE(area.setByte(1024, "00"));
  EXPECT_FALSE(area.setByte(0xFFFFFFFFu, "00"));
  EXPECT_EQ(area.byteSum(0, 1023), 1024u * 0xFF);
}

TEST(MemoryArea, ByteSumCountsValuesAndFillBeyondTheMemory) {
  CmemoryArea area(1024, "FF", 0);
  EXPECT_EQ(area.byteSum(0, 255), 0xFF00u);
  EXPECT_EQ(area.byteSum(5, 4), 0u);
  area.fillRange(0, 1023, "A");
  EXPECT_EQ(area.byteSum(0, 1), 0x14u);
  // 1024 bytes of 0xA inside, then 1024 addresses of the fill value 0xFF.
  EXPECT_EQ(area.byteSum(0, 2047), 1024u * 0xA + 1024u * 0xFF);
  // The whole 32-bit address space ends and wraps like the running sum.
  const std::uint64_t expected = 1024ull * 0xA + (0x100000000ull - 1024) * 0xFF;
  EXPECT_EQ(area.byteSum(0, 0xFFFFFFFFu), static_cast<std::uint32_t>(expected));
}

TEST(MemoryArea, Crc16IsX25OverAllButTheLastTwoBytes) {
  const std::uint8_t check[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(crc16X25(check, sizeof check), 0x906E);

  EXPECT_EQ(CmemoryArea(0x4000, "FF", 0).crc16(), 0xEFB3);
  EXPECT_EQ(CmemoryArea(0x8000, "FF", 0).crc16(), 0xCF78);

  CmemoryArea area(0x4000, "FF", 0);
  area.setByte(0x3FFE, "00");
  area.setByte(0x3FFF, "12");
  EXPECT_EQ(area.crc16(), 0xEFB3) << "the last two bytes are not part of the CRC";
  area.setByte(0x3FFD, "00");
  EXPECT_NE(area.crc16(), 0xEFB3);
}

TEST(MemoryArea, CrcOfAnImageMatchesTheBytesItHolds) {
  CmemoryArea area(1024, "FF", 0);
  std::vector<std::uint8_t> bytes(1024, 0xFF);
  for (std::uint32_t a = 0; a < 1022; a += 7) {
    bytes[a] = static_cast<std::uint8_t>(a * 13);
    char text[3];
    std::snprintf(text, sizeof text, "%02x", bytes[a]);  // lower case counts by value
    area.setByte(a, text);
  }
  EXPECT_EQ(area.crc16(), crc16X25(bytes.data(), 1022));
}

TEST(MemoryArea, BackupKeepsTheImageAcrossAReset) {
  CmemoryArea area(1024, "FF", 0);
  area.setByte(3, "12");
  area.setByte(4, "A");
  area.createBackup(area.size());
  ASSERT_TRUE(area.hasBackup());
  area.saveBackup();
  area.reset();
  EXPECT_EQ(area.getByte(3), "FF");
  EXPECT_EQ(area.getByte(4), "FF");
  area.restoreBackup();
  EXPECT_EQ(area.getByte(3), "12");
  EXPECT_EQ(area.getByte(4), "A");
  area.freeBackup();
  EXPECT_FALSE(area.hasBackup());
}

TEST(MemoryArea, CopyIsIndependent) {
  CmemoryArea area(1024, "FF", 0);
  area.setBaseAddress(0xF400);
  CmemoryArea copy = area;
  copy.setByte(0, "00");
  EXPECT_EQ(area.getByte(0), "FF");
  EXPECT_EQ(copy.baseAddress(), 0xF400);
}
