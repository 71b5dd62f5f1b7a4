// The RS-232 families with operations of their own, programmed through the
// programmer against the boot-loader simulator and read back from it:
// MCU20 and MCU21 (patient synchronisation, whole-memory programming,
// MCU20's CRC), and MCU27 (memory and page selection records).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/flashcmd/flashcmd_run.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// CRC-16/X-25 over all bytes but the last two, as MCU20's boot loader checks it.
std::uint16_t imageCrc(const Bytes& image) {
  std::uint16_t crc = 0xFFFF;
  for (size_t i = 0; i + 2 < image.size(); ++i) {
    std::uint16_t x = (crc ^ image[i]) & 0xFF;
    for (int bit = 0; bit < 8; ++bit) x = (x & 1) ? (x >> 1) ^ 0x8408 : x >> 1;
    crc = static_cast<std::uint16_t>(x ^ (crc >> 8));
  }
  return static_cast<std::uint16_t>(~crc);
}

// The program records (type 00) among the requests.
Words programRecords(const Words& requests) {
  Words records;
  for (const std::string& r : requests)
    if (r.size() > 9 && r[0] == ':' && r.substr(7, 2) == "00") records.push_back(r);
  return records;
}

TEST_F(FlashcmdRun, Mcu20SynchronisesPatientlyAndProgramsItsWholeMemoryWithTheCrc) {
  startLoader(config("MCU20"));
  engine([](sim::BootloaderEngine& e) {
    e.setSyncAfter(5);
    return 0;
  });
  const ProgramRun r =
      run({"ADDRANGE", "0x100", "0x1FF", "FILLBUFFER", "0x3C", "PROGRAM", "VERIFY"}, {"-device", "MCU20"});
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  EXPECT_NE(r.output.find(dotted("Synchronizing target", "PASS ")), std::string::npos) << r.output;
  EXPECT_NE(r.output.find(dotted("Verifying memory", "PASS\t0x00100\t0x001FF")), std::string::npos) << r.output;
  const Words all = requestsSince(0);
  ASSERT_GE(all.size(), 6u);
  EXPECT_EQ(Words(all.begin(), all.begin() + 6), (Words{"U", "U", "U", "U", "U", ":020000050F00EA"}));

  // The whole 16 KB went out in records of 64 bytes, whatever the range.
  const Words records = programRecords(requestsSince(6));
  ASSERT_EQ(records.size(), 256u);
  EXPECT_EQ(records.front().substr(0, 9), ":40000000");
  EXPECT_EQ(logged("BSB"), 0) << "no boot status byte after programming";

  Bytes image(16 * 1024, 0xFF);
  std::fill(image.begin() + 0x100, image.begin() + 0x200, 0x3C);
  const std::uint16_t crc = imageCrc(image);
  image[0x3FFF] = static_cast<std::uint8_t>(crc >> 8);
  image[0x3FFE] = static_cast<std::uint8_t>(crc);
  EXPECT_EQ(flash(16 * 1024), image);
  // The verify reads with MCU20's own memory selector.
  EXPECT_EQ(requestsSince(0).back(), sim::MakeRecord("05000004010001FF03"));
}

TEST_F(FlashcmdRun, Mcu21ProgramsOnlyTheRangeWithProgramRange) {
  startLoader(config("MCU21"));
  engine([](sim::BootloaderEngine& e) {
    e.setSyncAfter(3);
    return 0;
  });
  const ProgramRun r = run({"ADDRANGE", "0x100", "0x1FF", "FILLBUFFER", "0x5A", "PROGRAM_RANGE", "VERIFY"},
                           {"-device", "MCU21"});
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  EXPECT_NE(r.output.find(dotted("Programming memory", "PASS\t0x00100\t0x001FF")), std::string::npos) << r.output;
  EXPECT_NE(r.output.find(dotted("Verifying memory", "PASS\t0x00100\t0x001FF")), std::string::npos) << r.output;
  const Words records = programRecords(requestsSince(0));
  EXPECT_EQ(records.size(), 4u);
  EXPECT_EQ(records.front().substr(0, 9), ":40010000");

  Bytes image(32 * 1024, 0xFF);
  std::fill(image.begin() + 0x100, image.begin() + 0x200, 0x5A);
  EXPECT_EQ(flash(32 * 1024), image);
}

TEST_F(FlashcmdRun, Mcu27SelectsMemoryAndPageForEachPage) {
  startLoader(config("MCU27"));
  const ProgramRun r = run({"ADDRANGE", "0xFFC0", "0x1003F", "FILLBUFFER", "0x11", "PROGRAM", "VERIFY", "MEMORY",
                            "EEPROM", "ADDRANGE", "0", "0x3F", "FILLBUFFER", "0x22", "PROGRAM"},
                           {"-device", "MCU27"});
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  EXPECT_NE(r.output.find(dotted("Programming memory", "PASS\t0x0FFC0\t0x1003F")), std::string::npos) << r.output;
  EXPECT_NE(r.output.find(dotted("Verifying memory", "PASS\t0x0FFC0\t0x1003F")), std::string::npos) << r.output;

  const std::string data11 = std::string(128, '1');
  const std::string data22 = std::string(128, '2');
  const Words expected{
      // programming: page 0, then page 1 of FLASH, records of type 00
      ":020000040000FA", ":020000020000FC", sim::MakeRecord("40FFC000" + data11), ":020000040000FA",
      ":020000021000EC", sim::MakeRecord("40000000" + data11),
      // verify: the same selections before each display request
      ":020000040000FA", ":020000020000FC", sim::MakeRecord("05000004FFC0FFFF00"), ":020000040000FA",
      ":020000021000EC", sim::MakeRecord("050000040000003F00"),
      // EEPROM: selected, then programmed with type 00 as well
      ":020000040100F9", ":020000020000FC", ":020000040100F9", ":020000020000FC",
      sim::MakeRecord("40000000" + data22)};
  // After the version read: its selection of memory 3 and FLASH again.
  EXPECT_EQ(requestsSince(6), expected);
  EXPECT_EQ(memory(0, 0xFFC0, 0x80), Bytes(0x80, 0x11));
  EXPECT_EQ(memory(0, 0xFFBF, 1), Bytes{0xFF});
  EXPECT_EQ(memory(0, 0x10040, 1), Bytes{0xFF});
  EXPECT_EQ(memory(1, 0, 0x41), [] {
    Bytes b(0x40, 0x22);
    b.push_back(0xFF);
    return b;
  }());
}

}  // namespace
