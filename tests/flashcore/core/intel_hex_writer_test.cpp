#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "flashcore/core/intel_hex.h"
#include "flashcore/core/status.h"
#include "tests/flashcore/core/temp_dir.h"

namespace {

const std::string FF16 = "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF";

struct Written {
  const char* name;
  std::uint32_t start;
  std::uint32_t end;
  bool segmentRecords;
  std::string file;
};

class HexWriterWrites : public ::testing::TestWithParam<Written> {};

TEST_P(HexWriterWrites, ExactFile) {
  const Written& c = GetParam();
  TempDir dir;
  const CmemoryArea area(0x20000, "FF", 0);
  writeIntelHexFile(dir.file("out.hex"), area, c.start, c.end, c.segmentRecords);
  EXPECT_EQ(TempDir::read(dir.file("out.hex")), c.file);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, HexWriterWrites,
    ::testing::Values(
        Written{"TwoRecords", 0, 0x1F, false,
                ":020000040000FA\r\n:10000000" + FF16 + "00\r\n:10001000" + FF16 + "F0\r\n:00000001FF\r\n"},
        // Under a linear address one record runs across the 64 KB boundary.
        Written{"LinearAcrossPage", 0xFFF8, 0x10007, false,
                ":020000040000FA\r\n:10FFF800" + FF16 + "09\r\n:00000001FF\r\n"},
        Written{"SegmentOneByte", 0x10000, 0x10000, true, ":020000021000EC\r\n:01000000FF00\r\n:00000001FF\r\n"},
        // A segment address cannot carry a record past its segment: split there.
        Written{"SegmentSplitAtPage", 0xFFF8, 0x10007, true,
                ":020000020000FC\r\n:08FFF800FFFFFFFFFFFFFFFF09\r\n:020000021000EC\r\n:08000000FFFFFFFFFFFFFFFF00\r\n"
                ":00000001FF\r\n"},
        Written{"SeventeenBytes", 0x20, 0x30, false,
                ":020000040000FA\r\n:10002000" + FF16 + "E0\r\n:01003000FFD0\r\n:00000001FF\r\n"},
        Written{"UnalignedStart", 5, 7, false, ":020000040000FA\r\n:03000500FFFFFFFB\r\n:00000001FF\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HexWriter, BytesGoOutAsTwoUpperCaseDigitsOfTheirValue) {
  TempDir dir;
  CmemoryArea area(0xC00, "FF", 0);
  area.setBaseAddress(0xF400);
  area.setByte(0, "3c");
  area.setByte(1, "A");
  area.setByte(2, "");
  writeIntelHexFile(dir.file("out.hex"), area, 0, 3, false);
  EXPECT_EQ(TempDir::read(dir.file("out.hex")), ":020000040000FA\r\n:04F400003C0A00FFC3\r\n:00000001FF\r\n");
}

TEST(HexWriter, SavedMemoryWithBaseAddressLoadsBack) {
  TempDir dir;
  CmemoryArea area(0xC00, "FF", 0);
  area.setBaseAddress(0xF400);
  for (std::uint32_t a = 0; a < area.size(); a += 3) area.setByte(a, a % 2 ? "12" : "EF");
  writeIntelHexFile(dir.file("out.hex"), area, 0, area.size() - 1, true);

  CmemoryArea loaded(0xC00, "FF", 0);
  loaded.setBaseAddress(0xF400);
  const HexLoadResult result = readIntelHexFile(dir.file("out.hex"), loaded);
  EXPECT_EQ(result.rangeStart, 0u);
  EXPECT_EQ(result.rangeEnd, 0xBFFu);
  for (std::uint32_t a = 0; a < area.size(); ++a) ASSERT_EQ(loaded.getByte(a), area.getByte(a)) << a;
}

TEST(HexWriter, RefusesRangesOutsideTheMemory) {
  TempDir dir;
  const CmemoryArea area(1024, "FF", 0);
  const std::pair<std::uint32_t, std::uint32_t> ranges[] = {{0x200, 0x100}, {0, 1024}, {0, 0xFFFFFFFFu}};
  for (const auto& [start, end] : ranges) {
    try {
      writeIntelHexFile(dir.file("out.hex"), area, start, end, false);
      ADD_FAILURE() << start << ".." << end << " written";
    } catch (STATUS status) {
      EXPECT_EQ(status, STATUS_ADDRESS_OUT_OF_RANGE_ERROR);
    }
  }
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.hex")));
}

TEST(HexWriter, UnwritableFileCannotBeOpened) {
  TempDir dir;
  const CmemoryArea area(1024, "FF", 0);
  try {
    writeIntelHexFile(dir.file("missing-folder/out.hex"), area, 0, 15, false);
    FAIL() << "written";
  } catch (STATUS status) {
    EXPECT_EQ(status, STATUS_CANNOT_OPEN_FILE);
  }
}

TEST(HexWriter, ReportsProgressInStepsAboveTenPercent) {
  TempDir dir;
  const CmemoryArea area(0x10000, "FF", 0);
  std::vector<float> steps;
  writeIntelHexFile(dir.file("out.hex"), area, 0, 0xFFFF, false, [&](float step) { steps.push_back(step); });
  ASSERT_FALSE(steps.empty());
  for (float step : steps) EXPECT_GT(step, 10.0f);
  const float total = std::accumulate(steps.begin(), steps.end(), 0.0f);
  EXPECT_GT(total, 89.0f);
  EXPECT_LE(total, 101.0f);
}

}  // namespace
