// A whole programming run of MCU02 over RS-232, export by export, against
// the boot-loader simulator: what went over the line, what the loader holds
// afterwards, and the HEX file read back.
#include "tests/flashcore/core/temp_dir.h"
#include "tests/flashcore/protocols/rs232_session.h"

namespace {

constexpr std::uint32_t kStart = 0x0105;
constexpr std::uint32_t kEnd = 0x0A7F;

std::uint8_t imageByte(std::uint32_t address) { return static_cast<std::uint8_t>(address * 7 + 3); }

std::vector<std::uint8_t> imageBytes(std::uint32_t from, std::uint32_t to) {
  std::vector<std::uint8_t> bytes;
  for (std::uint32_t a = from; a <= to; ++a) bytes.push_back(imageByte(a));
  return bytes;
}

class ProgrammingRun : public Rs232Session {
 protected:
  TempDir dir_;
};

TEST_F(ProgrammingRun, Mcu02FromHexFileToHexFile) {
  const std::string input = IMAGE_DIR "/mcu02_image.hex";
  const std::string output = dir_.file("read_back.hex");

  connect(3, "MCU02");
  ASSERT_TRUE(ISP(ispSyncTarget)()) << lastError();
  ASSERT_TRUE(ISP(ispReadSpecialByte)(0)) << lastError();
  EXPECT_EQ(lastResult(), "20");
  ASSERT_TRUE(ISP(ispParseHexFile)(input.c_str())) << lastError();
  ISP(ispGetBufferAddrLo)();
  EXPECT_EQ(lastResult(), "0105");
  ASSERT_TRUE(ISP(ispEraseDevice)()) << lastError();
  ASSERT_TRUE(ISP(ispProgramDevice)()) << lastError();
  ASSERT_TRUE(ISP(ispVerifyDevice)()) << lastError();
  // The read must fill the image from the target, not find it still there.
  ASSERT_TRUE(ISP(ispFillBuffer)("00"));
  ASSERT_TRUE(ISP(ispReadAddrRange)(kStart, kEnd, output.c_str())) << lastError();

  EXPECT_EQ(TempDir::read(output), TempDir::read(input));

  std::vector<std::string> expected = {"U", ":020000050F00EA", ":0100000307F5"};
  // Program records never cross a 128-byte boundary: the first is short.
  expected.push_back(programRecord(kStart, imageBytes(kStart, 0x017F)));
  for (std::uint32_t a = 0x0180; a <= kEnd; a += 128) expected.push_back(programRecord(a, imageBytes(a, a + 127)));
  expected.push_back(":03000003060000F4");  // boot status byte 00 after programming FLASH
  for (int pass = 0; pass < 2; ++pass) {      // verify, then read back: blocks of 1024
    expected.push_back(displayRecord(0x0105, 0x0504));
    expected.push_back(displayRecord(0x0505, 0x0904));
    expected.push_back(displayRecord(0x0905, 0x0A7F));
  }
  EXPECT_EQ(requests(), expected);
  EXPECT_EQ(expected[3].substr(0, 9), ":7B010500");
  EXPECT_EQ(expected.back(), ":0500000409050A7F0060");

  const std::vector<std::uint8_t> flash = engine([](sim::BootloaderEngine& e) { return e.memory(0); });
  for (std::uint32_t a = 0; a < flash.size(); ++a) {
    const std::uint8_t want = a >= kStart && a <= kEnd ? imageByte(a) : 0xFF;
    ASSERT_EQ(flash[a], want) << "address " << a;
  }
  EXPECT_EQ(engine([](sim::BootloaderEngine& e) { return e.special(sim::Special::Bsb); }), 0x00);
}

TEST_F(ProgrammingRun, RangeModeProgramsTheRangeWhereTheFamilyHasNoAlternative) {
  connectAndSync(3, "MCU02");
  ASSERT_TRUE(ISP(ispFillBufferAddrRange)(0x10, 0x1F, "A5"));
  const size_t before = requests().size();
  ASSERT_TRUE(ISP(ispProgramAddrRange)(0x10, 0x1F, 1)) << lastError();
  EXPECT_EQ(requestsSince(before),
            (std::vector<std::string>{programRecord(0x10, std::vector<std::uint8_t>(16, 0xA5)), ":03000003060000F4"}));
}

TEST_F(ProgrammingRun, ProgressRunsWhileProgrammingAndKeepsItsLastValue) {
  connectAndSync(3, "MCU02");
  ISP(ispResetTaskCompletionPercent)();
  ISP(ispRandomizeBuffer)();
  ASSERT_TRUE(ISP(ispProgramDevice)()) << lastError();
  const int afterProgram = ISP(ispGetTaskCompletionPercent)();
  EXPECT_GE(afterProgram, 80);
  EXPECT_LE(afterProgram, 100);
  ASSERT_TRUE(ISP(ispVerifyDevice)()) << lastError();
  EXPECT_GE(ISP(ispGetTaskCompletionPercent)(), 80);
}

}  // namespace
