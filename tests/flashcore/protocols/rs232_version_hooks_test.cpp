// What reading the boot-loader version changes: record sizes, and for MCU05,
// MCU06 and MCU07 the part object with its memories.
#include <algorithm>

#include "tests/flashcore/protocols/rs232_session.h"

namespace {

class VersionHooks : public Rs232Session {
 protected:
  // Largest data length among the program records sent for 0 .. 0xFF.
  unsigned programRecordSize() {
    const size_t before = requests().size();
    EXPECT_TRUE(ISP(ispProgramAddrRange)(0, 0xFF, 0)) << lastError();
    unsigned largest = 0;
    for (const std::string& r : requestsSince(before))
      if (r.size() > 9 && r.substr(7, 2) == "00")
        largest = std::max(largest, static_cast<unsigned>(std::stoul(r.substr(1, 2), nullptr, 16)));
    return largest;
  }

  // Size of memory `index` as ispGetMemorySize reports it; memory 0 is
  // selected again afterwards.
  std::string sizeOf(int index) {
    EXPECT_TRUE(ISP(ispSelectMemory)(index));
    const std::string size = memorySize();
    EXPECT_TRUE(ISP(ispSelectMemory)(0));
    return size;
  }
};

struct HookCase {
  int deviceCode;
  const char* family;
  std::uint8_t version;
  unsigned recordSize;
  const char* memory1;  // "0": the part has no memory 1
  const char* memory2;
};

TEST_F(VersionHooks, SizesAndMemoriesFollowTheVersion) {
  const HookCase cases[] = {
      {18, "MCU05", 0x12, 16, "0", "0"},          // early loader: FLASH only
      {18, "MCU05", 0x13, 128, "2048", "0"},      // no third memory
      {18, "MCU05", 0x50, 128, "2048", "65536"},  // the part stays
      {19, "MCU06", 0x09, 16, "0", "0"},
      {19, "MCU06", 0x20, 128, "2048", "0"},
      {20, "MCU07", 0x12, 16, "0", "0"},
      {9, "MCU09", 0x11, 16, "0", "0"},
      {9, "MCU09", 0x12, 128, "0", "0"},
      {11, "MCU12", 0x1A, 128, "0", "0"},
  };
  for (const HookCase& c : cases) {
    SCOPED_TRACE(std::string(c.family) + " version " + sim::HexText({c.version}));
    connectAndSync(c.deviceCode, c.family, c.version);
    EXPECT_EQ(programRecordSize(), c.recordSize);
    EXPECT_EQ(sizeOf(1), c.memory1);
    EXPECT_EQ(sizeOf(2), c.memory2);
  }
}

TEST_F(VersionHooks, EarlyMcu05LoaderLosesTheImageAndItsExtraByte) {
  connect(18, "MCU05", 0x12);
  ASSERT_TRUE(ISP(ispSyncTarget)()) << lastError();
  ASSERT_TRUE(ISP(ispWriteSingleByteToBuffer)(0x10, "42"));
  ASSERT_TRUE(ISP(ispSelectMemory)(1));  // EEPROM, which the early part lacks
  ASSERT_TRUE(ISP(ispReadSpecialByte)(0)) << lastError();
  EXPECT_EQ(lastResult(), "12");
  EXPECT_EQ(memorySize(), "32768") << "FLASH is selected in place of the missing EEPROM";
  EXPECT_EQ(bufferByte(0x10), "FF") << "a fresh part object";

  const size_t before = requests().size();
  EXPECT_FALSE(ISP(ispReadSpecialByte)(5));
  EXPECT_EQ(lastError(), STATUS_NOT_IMPLEMENTED);
  EXPECT_FALSE(ISP(ispEnterAppliMode)(1, 0));
  EXPECT_EQ(lastError(), STATUS_NOT_IMPLEMENTED);
  EXPECT_EQ(requests().size(), before);

  // Each read of the version runs the hook again.
  ASSERT_TRUE(ISP(ispReadSpecialByte)(0)) << lastError();
  EXPECT_EQ(memorySize(), "32768");
}

TEST_F(VersionHooks, LaterMcu05LoaderKeepsItsExtraByte) {
  connectAndSync(18, "MCU05", 0x50);
  ASSERT_TRUE(ISP(ispReadSpecialByte)(5)) << lastError();
  EXPECT_EQ(requests().back(), ":020000050706EC");
}

}  // namespace
