#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "flashcore/core/intel_hex.h"
#include "flashcore/core/status.h"
#include "tests/flashcore/core/temp_dir.h"

namespace {

const char* const kEnd = ":00000001FF";

std::string lines(std::initializer_list<std::string> records, const char* lineEnd = "\r\n") {
  std::string text;
  for (const std::string& record : records) text += record + lineEnd;
  return text;
}

std::string repeat(const std::string& text, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += text;
  return out;
}

struct Accepted {
  const char* name;
  std::string file;
  std::uint32_t size;
  std::int32_t base;
  std::uint32_t rangeStart;
  std::uint32_t rangeEnd;
  std::map<std::uint32_t, std::string> bytes;  // image address -> text
};

class HexReaderAccepts : public ::testing::TestWithParam<Accepted> {};

TEST_P(HexReaderAccepts, LoadsBytesAndRange) {
  const Accepted& c = GetParam();
  TempDir dir;
  CmemoryArea area(c.size, "FF", 0);
  area.setBaseAddress(c.base);
  const HexLoadResult result = readIntelHexFile(dir.write("in.hex", c.file), area);
  EXPECT_EQ(result.rangeStart, c.rangeStart);
  EXPECT_EQ(result.rangeEnd, c.rangeEnd);
  for (const auto& [address, text] : c.bytes) EXPECT_EQ(area.getByte(address), text) << std::hex << address;
}

INSTANTIATE_TEST_SUITE_P(
    Files, HexReaderAccepts,
    ::testing::Values(
        Accepted{"OneRecord", lines({":10000000FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF00", kEnd}), 0x4000, 0, 0, 15,
                 {{0, "FF"}, {15, "FF"}}},
        Accepted{"EndRecordOnly", lines({kEnd}), 0x4000, 0, 0xFFFFFF, 0, {}},
        Accepted{"EndRecordOnlyWithBase", lines({kEnd}), 0xC00, 0xF400, 0xFFFFFF, 0, {}},
        Accepted{"LinearAddress", lines({":020000040001F9", ":040010001122334442", kEnd}), 0x20000, 0, 0x10010,
                 0x10013, {{0x10010, "11"}, {0x10013, "44"}, {0x10, "FF"}}},
        Accepted{"SegmentAddress", lines({":020000021000EC", ":040010001122334442", kEnd}), 0x20000, 0, 0x10010,
                 0x10013, {{0x10010, "11"}, {0x10013, "44"}}},
        // Under a segment address the offset wraps within the 64 KB segment.
        Accepted{"SegmentWraps", lines({":020000021000EC", ":04FFFE0001020304F5", kEnd}), 0x20000, 0, 0x10000,
                 0x1FFFF, {{0x1FFFE, "01"}, {0x1FFFF, "02"}, {0x10000, "03"}, {0x10001, "04"}}},
        // A linear address runs on: a record may cross a 64 KB boundary.
        Accepted{"LinearRunsOn", lines({":04FFFE0001020304F5", kEnd}), 0x20000, 0, 0xFFFE, 0x10001,
                 {{0xFFFE, "01"}, {0x10001, "04"}}},
        Accepted{"BaseAddress", lines({":04F4000001020304FE", kEnd}), 0xC00, 0xF400, 0, 3, {{0, "01"}, {3, "04"}}},
        Accepted{"LowerCaseDataKept", lines({":02000200abcd84", kEnd}), 1024, 0, 2, 3, {{2, "ab"}, {3, "cd"}}},
        Accepted{"LaterRecordWins", lines({":040010001122334442", ":020000040000FA", ":04000C0001020304E6", kEnd}),
                 1024, 0, 0x0C, 0x13, {{0x0F, "04"}, {0x10, "11"}, {0x0E, "03"}}},
        // Start-address records carry no data and are passed over.
        Accepted{"StartRecordsSkipped", lines({":0400000500000100F6", ":0400000300000100F8", ":030000001020309D", kEnd}),
                 1024, 0, 0, 2, {{0, "10"}, {2, "30"}}},
        Accepted{"LongestLine", lines({":79000000" + repeat("11", 121) + "7E", kEnd}), 1024, 0, 0, 120, {{120, "11"}}},
        Accepted{"PlainLineFeeds", lines({":030000001020309D", kEnd}, "\n"), 1024, 0, 0, 2, {{1, "20"}}},
        Accepted{"NothingReadAfterEndRecord", lines({":030000001020309D", kEnd, "garbage"}), 1024, 0, 0, 2, {}},
        Accepted{"MegabyteWithoutLineEndsAfterEndRecord",
                 lines({":030000001020309D", kEnd}) + std::string(1 << 20, '\0'), 1024, 0, 0, 2, {{2, "30"}}},
        Accepted{"EndRecordWithoutLineEnd", lines({":030000001020309D"}) + kEnd, 1024, 0, 0, 2, {{0, "10"}}},
        Accepted{"GapsKeepTheirBytes", lines({":030000001020309D", ":020100005A5A49", kEnd}), 1024, 0, 0, 0x101,
                 {{2, "30"}, {3, "FF"}, {0xFF, "FF"}, {0x100, "5A"}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct Refused {
  const char* name;
  std::string file;
  std::uint32_t size;
  std::int32_t base;
  int status;
};

class HexReaderRefuses : public ::testing::TestWithParam<Refused> {};

TEST_P(HexReaderRefuses, ThrowsItsStatusAndLeavesTheImageAlone) {
  const Refused& c = GetParam();
  TempDir dir;
  CmemoryArea area(c.size, "FF", 0);
  area.setBaseAddress(c.base);
  area.setByte(0, "5A");
  const CmemoryArea before = area;
  try {
    readIntelHexFile(dir.write("in.hex", c.file), area);
    FAIL() << "accepted";
  } catch (STATUS status) {
    EXPECT_EQ(status, c.status);
  }
  for (std::uint32_t a = 0; a < area.size(); ++a) ASSERT_EQ(area.getByte(a), before.getByte(a)) << a;
}

INSTANTIATE_TEST_SUITE_P(
    Files, HexReaderRefuses,
    ::testing::Values(
        Refused{"NoEndRecord", lines({":030000001020309D"}), 1024, 0, STATUS_HEX_FILE_SYNTAX_ERROR},
        Refused{"EmptyFile", "", 1024, 0, STATUS_HEX_FILE_SYNTAX_ERROR},
        Refused{"BlankLineBeforeEnd", lines({":030000001020309D", "", kEnd}), 1024, 0, STATUS_HEX_FILE_SYNTAX_ERROR},
        Refused{"NoColon", lines({"030000001020309D", kEnd}), 1024, 0, STATUS_HEX_FILE_SYNTAX_ERROR},
        Refused{"LowerCaseChecksum", lines({":02000200ABCD84", ":0400000500000100f6", kEnd}), 1024, 0,
                STATUS_HEX_FILE_CHECKSUM_ERROR},
        Refused{"WrongChecksum", lines({":030000001020309E", kEnd}), 1024, 0, STATUS_HEX_FILE_CHECKSUM_ERROR},
        // The count promises more pairs than the line holds, checksum matching.
        Refused{"CountBeyondLine", lines({":050000001020309B", kEnd}), 1024, 0, STATUS_HEX_FILE_SYNTAX_ERROR},
        Refused{"MorePairsThanCount", lines({":020000001020309E", kEnd}), 1024, 0, STATUS_HEX_FILE_SYNTAX_ERROR},
        Refused{"NotHex", lines({":0300000010G0309D", kEnd}), 1024, 0, STATUS_HEX_FILE_SYNTAX_ERROR},
        Refused{"TooShort", lines({":00", kEnd}), 1024, 0, STATUS_HEX_FILE_SYNTAX_ERROR},
        // 122 data bytes make a 255-character line, one more than a line may hold.
        Refused{"LineOver254", lines({":7A000000" + repeat("11", 122) + "6C", kEnd}), 1024, 0,
                STATUS_HEX_FILE_SYNTAX_ERROR},
        // Refused at its 256th character, however long the line goes on.
        Refused{"LineWithoutEnd", ":" + std::string(1 << 20, '1'), 1024, 0, STATUS_HEX_FILE_SYNTAX_ERROR},
        Refused{"ZeroBytes", std::string(1000, '\0'), 1024, 0, STATUS_HEX_FILE_SYNTAX_ERROR},
        Refused{"CarriageReturnsOnly", lines({":030000001020309D", kEnd}, "\r"), 1024, 0, STATUS_HEX_FILE_SYNTAX_ERROR},
        Refused{"BeyondMemory", lines({":020400005A5A46", kEnd}), 1024, 0, STATUS_ADDRESS_OUT_OF_RANGE_ERROR},
        Refused{"RecordReachingPastEnd", lines({":0403FE0001020304F1", kEnd}), 1024, 0,
                STATUS_ADDRESS_OUT_OF_RANGE_ERROR},
        Refused{"BelowBase", lines({":01F3FF00010C", kEnd}), 0xC00, 0xF400, STATUS_ADDRESS_OUT_OF_RANGE_ERROR},
        Refused{"ReachingBasePlusSize", lines({":04FFFE0001020304F5", kEnd}), 0xC00, 0xF400,
                STATUS_ADDRESS_OUT_OF_RANGE_ERROR},
        Refused{"LinearRunsPastMemory", lines({":020000040001F9", ":04FFFE0001020304F5", kEnd}), 0x20000, 0,
                STATUS_ADDRESS_OUT_OF_RANGE_ERROR},
        // The first records are good: nothing of them may stay in the image.
        Refused{"FailureAfterGoodRecords", lines({":030000001020309D", ":020400005A5A46", kEnd}), 1024, 0,
                STATUS_ADDRESS_OUT_OF_RANGE_ERROR}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HexReader, WhatIsNoReadableFileCannotBeOpenedAndADeviceIsReadAsText) {
  TempDir dir;
  const std::pair<std::string, STATUS> cases[] = {{dir.file("absent.hex"), STATUS_CANNOT_OPEN_FILE},
                                                  {dir.file(""), STATUS_CANNOT_OPEN_FILE},
                                                  {"/dev/zero", STATUS_HEX_FILE_SYNTAX_ERROR},
                                                  {"/dev/null", STATUS_HEX_FILE_SYNTAX_ERROR}};
  for (const auto& [path, expected] : cases) {
    CmemoryArea area(1024, "FF", 0);
    try {
      readIntelHexFile(path, area);
      ADD_FAILURE() << path << " accepted";
    } catch (STATUS status) {
      EXPECT_EQ(status, expected) << path;
    }
  }
}

TEST(HexReader, RecordTypeIsReadAsHex) {
  // "0A" is no data record: the line is passed over instead of loaded at 0.
  TempDir dir;
  CmemoryArea area(1024, "FF", 0);
  const HexLoadResult result = readIntelHexFile(dir.write("in.hex", lines({":0200000A1020C4", kEnd})), area);
  EXPECT_EQ(area.getByte(0), "FF");
  EXPECT_EQ(result.rangeStart, 0xFFFFFFu);
}

}  // namespace
