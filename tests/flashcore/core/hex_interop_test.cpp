// Files made by objcopy and srec_cat load, and what the writer saves from
// them is the same image as srec_cmp judges it.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "flashcore/core/intel_hex.h"
#include "tests/flashcore/core/temp_dir.h"

namespace {

constexpr std::uint32_t kSize = 0x20000;  // a full 128 KB FLASH image

int run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

std::string shellQuoted(const std::string& path) { return "'" + path + "'"; }

class HexInterop : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::string(SREC_CAT).empty() || std::string(SREC_CMP).empty() || std::string(OBJCOPY).empty())
      FAIL() << "srec_cat, srec_cmp and objcopy are needed (Debian packages srecord and binutils)";
    std::mt19937 random(482);
    bytes_.resize(kSize);
    for (auto& b : bytes_) b = static_cast<std::uint8_t>(random());
    std::string content(bytes_.begin(), bytes_.end());
    binary_ = dir_.write("image.bin", content);
  }

  void expectImage(const CmemoryArea& area, std::uint32_t from, std::uint32_t to) {
    for (std::uint32_t a = from; a <= to; ++a)
      ASSERT_EQ(area.value(a), bytes_[a - from]) << "address " << std::hex << a;
  }

  void expectSameAs(const std::string& theirs, const CmemoryArea& area, std::uint32_t start, std::uint32_t end) {
    for (bool segmentRecords : {false, true}) {
      const std::string ours = dir_.file(segmentRecords ? "ours86.hex" : "ours386.hex");
      writeIntelHexFile(ours, area, start, end, segmentRecords);
      EXPECT_EQ(run(std::string(SREC_CMP) + " " + shellQuoted(ours) + " -intel " + shellQuoted(theirs) + " -intel"), 0)
          << (segmentRecords ? "HEX86" : "HEX386") << " differs from " << theirs;
    }
  }

  TempDir dir_;
  std::vector<std::uint8_t> bytes_;
  std::string binary_;
};

TEST_F(HexInterop, ObjcopyFileLoadsAndSavesAlike) {
  const std::string theirs = dir_.file("objcopy.hex");
  ASSERT_EQ(run(std::string(OBJCOPY) + " -I binary -O ihex " + shellQuoted(binary_) + " " + shellQuoted(theirs)), 0);
  CmemoryArea area(kSize, "FF", 5);
  const HexLoadResult loaded = readIntelHexFile(theirs, area);
  EXPECT_EQ(loaded.rangeStart, 0u);
  EXPECT_EQ(loaded.rangeEnd, kSize - 1);
  expectImage(area, 0, kSize - 1);
  expectSameAs(theirs, area, 0, kSize - 1);
}

TEST_F(HexInterop, SrecCatFileLoadsAndSavesAlike) {
  const std::string theirs = dir_.file("srec.hex");
  ASSERT_EQ(run(std::string(SREC_CAT) + " " + shellQuoted(binary_) + " -binary -o " + shellQuoted(theirs) + " -intel"), 0);
  CmemoryArea area(kSize, "FF", 5);
  const HexLoadResult loaded = readIntelHexFile(theirs, area);
  EXPECT_EQ(loaded.rangeStart, 0u);
  EXPECT_EQ(loaded.rangeEnd, kSize - 1);
  expectImage(area, 0, kSize - 1);
  expectSameAs(theirs, area, 0, kSize - 1);
}

TEST_F(HexInterop, SrecCatSegmentFileLoads) {
  const std::string theirs = dir_.file("srec86.hex");
  ASSERT_EQ(run(std::string(SREC_CAT) + " " + shellQuoted(binary_) + " -binary -o " + shellQuoted(theirs) +
                " -intel --address-length=3"),
            0);
  CmemoryArea area(kSize, "FF", 5);
  readIntelHexFile(theirs, area);
  expectImage(area, 0, kSize - 1);
  expectSameAs(theirs, area, 0, kSize - 1);
}

TEST_F(HexInterop, PartialImageSetsTheRangeOfItsData) {
  // 0x300 bytes placed at 0xFF80, across the first 64 KB boundary.
  const std::string theirs = dir_.file("part.hex");
  ASSERT_EQ(run(std::string(SREC_CAT) + " " + shellQuoted(binary_) + " -binary -crop 0 0x300 -offset 0xFF80 -o " +
                shellQuoted(theirs) + " -intel"),
            0);
  CmemoryArea area(kSize, "FF", 5);
  const HexLoadResult loaded = readIntelHexFile(theirs, area);
  EXPECT_EQ(loaded.rangeStart, 0xFF80u);
  EXPECT_EQ(loaded.rangeEnd, 0x1027Fu);
  expectImage(area, 0xFF80, 0x1027F);
  EXPECT_EQ(area.getByte(0xFF7F), "FF");
  EXPECT_EQ(area.getByte(0x10280), "FF");
  expectSameAs(theirs, area, loaded.rangeStart, loaded.rangeEnd);
}

}  // namespace
