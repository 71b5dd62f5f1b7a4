// Program and verify for one part of every RS-232 protocol family, each
// against the boot loader of its family: the record sizes the boot loader
// takes (16, 64, 128 data bytes), the memory selection of the families that
// select, and the image that arrives.
#include <algorithm>

#include "tests/flashcore/protocols/rs232_session.h"

namespace {

struct FamilyCase {
  const char* family;  // the simulator's family
  int deviceCode;
  std::uint8_t version;
  bool alternativeProtocol;  // ispSelectProtocol(1, 4)
  unsigned recordSize;       // largest data record the protocol sends
  bool wholeMemory;          // programming writes the whole memory image
};

void PrintTo(const FamilyCase& c, std::ostream* out) { *out << c.family << " version " << int(c.version); }

class Families : public Rs232Session, public ::testing::WithParamInterface<FamilyCase> {};

// Data length of a program record (types 00, 07, 08), or -1.
int programLength(const std::string& record) {
  if (record.size() < 11 || record[0] != ':') return -1;
  const std::string type = record.substr(7, 2);
  if (type != "00" && type != "07" && type != "08") return -1;
  return std::stoi(record.substr(1, 2), nullptr, 16);
}

TEST_P(Families, ProgramAndVerifyARange) {
  const FamilyCase& c = GetParam();
  connectAndSync(c.deviceCode, c.family, c.version);
  if (c.alternativeProtocol) {
    ASSERT_TRUE(ISP(ispSelectProtocol)(1, 4));
  }
  const size_t before = requests().size();

  ISP(ispRandomizeBuffer)();
  const std::uint32_t from = 0x00F3;
  const std::uint32_t to = 0x04A0;
  ASSERT_TRUE(ISP(ispProgramAddrRange)(from, to, 0)) << lastError();
  ASSERT_TRUE(ISP(ispVerifyAddrRange)(from, to)) << lastError();

  int largest = 0;
  size_t records = 0;
  for (const std::string& request : requestsSince(before)) {
    const int length = programLength(request);
    if (length < 0) continue;
    ++records;
    largest = std::max(largest, length);
  }
  EXPECT_EQ(largest, static_cast<int>(c.recordSize));
  if (c.wholeMemory) {
    ISP(ispGetMemorySize)();
    const unsigned long size = std::stoul(lastResult());
    EXPECT_EQ(records, size / c.recordSize);
  }

  const std::vector<std::uint8_t> flash = engine([](sim::BootloaderEngine& e) { return e.memory(0); });
  for (std::uint32_t a = from; a <= to; ++a)
    ASSERT_EQ(sim::HexText({flash[a]}), bufferByte(static_cast<int>(a))) << c.family << " address " << a;
}

INSTANTIATE_TEST_SUITE_P(
    EveryFamily, Families,
    ::testing::Values(
        FamilyCase{"MCU01", 16, 0x20, false, 128, false},
        FamilyCase{"MCU02", 3, 0x20, false, 128, false},
        FamilyCase{"MCU04", 5, 0x20, false, 128, false},
        FamilyCase{"MCU05", 18, 0x20, false, 128, false},
        FamilyCase{"MCU06", 19, 0x20, false, 128, false},
        FamilyCase{"MCU06", 19, 0x12, false, 16, false},
        FamilyCase{"MCU07", 20, 0x20, false, 128, false},
        FamilyCase{"MCU26", 6, 0x20, false, 128, false},
        FamilyCase{"MCU08", 8, 0x20, false, 128, false},
        FamilyCase{"MCU22", 13, 0x20, false, 128, false},
        FamilyCase{"MCU09", 9, 0x11, false, 16, false},
        FamilyCase{"MCU10", 21, 0x20, false, 128, false},
        FamilyCase{"MCU11", 10, 0x20, false, 128, false},
        FamilyCase{"MCU12", 11, 0x20, false, 128, false},
        FamilyCase{"MCU14", 12, 0x11, false, 16, false},
        FamilyCase{"MCU14B", 12, 0x20, true, 128, false},
        FamilyCase{"MCU20", 17, 0x20, false, 64, true},
        FamilyCase{"MCU21", 2, 0x20, false, 64, true},
        FamilyCase{"MCU23", 24, 0x20, false, 16, false},
        FamilyCase{"MCU16", 14, 0x20, false, 128, false},
        FamilyCase{"MCU18", 15, 0x20, false, 128, false},
        FamilyCase{"MCU19", 25, 0x20, false, 128, false},
        FamilyCase{"MCU27", 26, 0x20, false, 64, false},
        FamilyCase{"MCU_OCD", 27, 0x20, false, 128, false}),
    [](const ::testing::TestParamInfo<FamilyCase>& info) {
      std::string name = info.param.family;
      name.erase(std::remove(name.begin(), name.end(), '_'), name.end());
      return name + "v" + sim::HexText({info.param.version});
    });

}  // namespace
