// MCU21's USB DFU protocol: memories selected by number, the whole memory
// programmed by PROGRAM, the given range by the alternative programming.
#include "tests/flashcore/protocols/usb_session.h"

namespace {

class UsbDfuMcu21 : public UsbSession {};

unsigned programFrames(const std::vector<std::string>& downloads) {
  unsigned frames = 0;
  for (const std::string& data : downloads) frames += data.rfind("0100", 0) == 0 && data.size() > 100;
  return frames;
}

TEST_F(UsbDfuMcu21, SpecialBytesAreReadWithTheirMemorySelected) {
  open(kMcu21, kUsb, "product_id=A7C6\n");
  ASSERT_TRUE(ISP(ispReadSpecialByte)(0)) << lastError();
  EXPECT_EQ(lastResult(), "23");
  ASSERT_TRUE(ISP(ispReadSpecialByte)(4)) << lastError();
  EXPECT_EQ(sim().downloads(),
            (std::vector<std::string>{"06030300", "050000", "06030000", "06030500", "050200", "06030000"}));
}

TEST_F(UsbDfuMcu21, ProgramWritesTheWholeMemoryWhateverTheRange) {
  open(kMcu21, kUsb, "product_id=A7C6\nmemory0_size=32768\n");
  ISP(ispRandomizeBuffer)();
  ASSERT_TRUE(ISP(ispProgramAddrRange)(0x100, 0x1FF, 0)) << lastError();
  // 32 KB: ten chunks of 3072 bytes and one of 2048; no boot status byte.
  EXPECT_EQ(programFrames(sim().downloads()), 11u);
  EXPECT_EQ(sim().downloads().back().substr(0, 12), "010078007FFF");
  ASSERT_TRUE(ISP(ispVerifyAddrRange)(0, 0x7FFF)) << lastError();

  const size_t before = sim().downloads().size();
  ASSERT_TRUE(ISP(ispProgramAddrRange)(0x100, 0x1FF, 1)) << lastError();
  const std::vector<std::string> alternative = downloadsSince(before);
  ASSERT_EQ(alternative.size(), 2u);
  EXPECT_EQ(alternative[0], "06030000");
  EXPECT_EQ(alternative[1].substr(0, 12), "0100010001FF");
  closePort();
  EXPECT_EQ(sim().state("errors"), "0");
}

TEST_F(UsbDfuMcu21, StartsWithTheAlternativeResetForAddressFFFF) {
  struct Case {
    int reset;
    int address;
    const char* record;
  } cases[] = {{1, 0xFFFF, "0403FF"}, {1, 0, "040300"}, {0, 0x2000, "0403012000"}};
  open(kMcu21, kUsb, "product_id=A7C6\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.record);
    const size_t before = sim().downloads().size();
    ASSERT_TRUE(ISP(ispEnterAppliMode)(static_cast<unsigned char>(c.reset), c.address)) << lastError();
    EXPECT_EQ(downloadsSince(before), (std::vector<std::string>{c.record, ""}));
  }
}

}  // namespace
