// Special bytes, security levels and fuse bits over CAN: the frames of
// each, the values read and what the boot loader holds afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/flashcore/protocols/can_session.h"

namespace {

using Frames = std::vector<std::string>;
using sim::CanSpecial;

struct SpecialRead {
  int id;
  const char* frame;
  const char* value;
};

void PrintTo(const SpecialRead& c, std::ostream* os) { *os << "id " << c.id; }

class CanSpecialRead : public CanSession, public testing::WithParamInterface<SpecialRead> {};

TEST_P(CanSpecialRead, FrameAndValue) {
  connectAndOpen("MCU07");
  const size_t before = requests().size();
  ASSERT_TRUE(ISP(ispReadSpecialByte)(GetParam().id)) << lastError();
  EXPECT_EQ(requestsSince(before), (Frames{GetParam().frame}));
  EXPECT_EQ(lastResult(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    EveryByte, CanSpecialRead,
    testing::Values(SpecialRead{0, "005020000", "23"}, SpecialRead{1, "005020101", "FC"},
                    SpecialRead{2, "005020105", "FF"}, SpecialRead{3, "005020100", "FF"},
                    SpecialRead{4, "005020200", "FF"}, SpecialRead{5, "005020106", "FF"},
                    SpecialRead{6, "005020001", "11"}, SpecialRead{7, "005020002", "12"},
                    SpecialRead{8, "005020130", "58"}, SpecialRead{9, "005020131", "D7"},
                    SpecialRead{10, "005020160", "BB"}, SpecialRead{11, "005020161", "FE"},
                    SpecialRead{12, "00502011C", "B1"}, SpecialRead{13, "00502011D", "B2"},
                    SpecialRead{14, "00502011E", "B3"}, SpecialRead{15, "00502011F", "05"},
                    SpecialRead{16, "005020120", "00"}, SpecialRead{17, "005020102", "F1"},
                    SpecialRead{18, "005020103", "F3"}, SpecialRead{19, "005020104", "F4"}));

TEST_F(CanSession, SignatureBytesTogether) {
  connectAndOpen("MCU25");
  ASSERT_TRUE(ISP(ispReadSignatureBytes)()) << lastError();
  EXPECT_EQ(lastResult(), "58 D7 BB FE ");
}

struct SpecialWrite {
  int id;
  CanSpecial where;
  const char* frame;
};

void PrintTo(const SpecialWrite& c, std::ostream* os) { *os << "id " << c.id; }

class CanSpecialWrite : public CanSession, public testing::WithParamInterface<SpecialWrite> {};

TEST_P(CanSpecialWrite, FrameAndValueHeld) {
  connectAndOpen("MCU06");
  const size_t before = requests().size();
  ASSERT_TRUE(ISP(ispWriteSpecialByte)(GetParam().id, 0x5A)) << lastError();
  EXPECT_EQ(requestsSince(before), (Frames{GetParam().frame}));
  EXPECT_EQ(loaderSpecial(GetParam().where), 0x5A);
}

INSTANTIATE_TEST_SUITE_P(
    Writable, CanSpecialWrite,
    testing::Values(SpecialWrite{1, CanSpecial::Sbv, "0040301015A"}, SpecialWrite{3, CanSpecial::Bsb, "0040301005A"},
                    SpecialWrite{4, CanSpecial::Hwb, "0040302005A"}, SpecialWrite{5, CanSpecial::Eb, "0040301065A"},
                    SpecialWrite{12, CanSpecial::Btc1, "00403011C5A"}, SpecialWrite{15, CanSpecial::Nnb, "00403011F5A"},
                    SpecialWrite{16, CanSpecial::Cris, "0040301205A"},
                    SpecialWrite{19, CanSpecial::P4, "0040301045A"}));

TEST_F(CanSession, TheSecurityByteChangesOnlyThroughTheSecurityLevels) {
  connectAndOpen("MCU26");
  const size_t before = requests().size();
  EXPECT_FALSE(ISP(ispWriteSpecialByte)(2, 0xFE));
  EXPECT_EQ(lastError(), STATUS_NOT_IMPLEMENTED);
  EXPECT_EQ(requests().size(), before);
  ASSERT_TRUE(ISP(ispSetSecurityLev1)()) << lastError();
  EXPECT_EQ(requestsSince(before), (Frames{"004030105FE"}));
  EXPECT_EQ(onLoader([](sim::CanLoader& l) { return l.securityLevel(); }), 1);
  // Writing is refused now.
  EXPECT_FALSE(ISP(ispWriteSpecialByte)(5, 0x00));
  EXPECT_EQ(lastError(), STATUS_DEVICE_PROTECTION_ERROR_3);
}

struct FuseCase {
  const char* name;
  bool enable;
  int fuse;
  std::uint8_t before;
  const char* written;  // empty: nothing is sent
};

void PrintTo(const FuseCase& c, std::ostream* os) { *os << c.name; }

class CanFuse : public CanSession, public testing::WithParamInterface<FuseCase> {};

TEST_P(CanFuse, ReadModifyWriteOfTheHardwareByte) {
  connectAndOpen("MCU26");
  onLoader([this](sim::CanLoader& l) {
    l.setSpecial(CanSpecial::Hwb, GetParam().before);
    return 0;
  });
  const size_t before = requests().size();
  const bool done = GetParam().enable ? ISP(ispEnableFuseBit)(GetParam().fuse) : ISP(ispDisableFuseBit)(GetParam().fuse);
  ASSERT_TRUE(done) << lastError();
  const std::string written = GetParam().written;
  EXPECT_EQ(requestsSince(before), (Frames{"005020200", "0040302" + written}));
  EXPECT_EQ(loaderSpecial(CanSpecial::Hwb), std::stoul(written.substr(2), nullptr, 16));
}

INSTANTIATE_TEST_SUITE_P(
    Fuses, CanFuse,
    testing::Values(FuseCase{"Enable0", true, 0, 0xFF, "00DF"}, FuseCase{"Enable1", true, 1, 0xFF, "00BF"},
                    FuseCase{"Enable2", true, 2, 0xFF, "007F"}, FuseCase{"Disable0", false, 0, 0x00, "0020"},
                    FuseCase{"Disable1", false, 1, 0x00, "0040"}, FuseCase{"Disable2", false, 2, 0x41, "00C1"}));

// The hardware byte of a CAN part holds no SelBoot fuse (fuse 3): switching
// it sends nothing and says so, as over USB.
TEST_F(CanSession, TheSelBootFuseIsNotImplemented) {
  for (const char* family : {"MCU26", "MCU27"}) {
    connectAndOpen(family);
    const size_t before = requests().size();
    EXPECT_FALSE(ISP(ispEnableFuseBit)(3)) << family;
    EXPECT_EQ(lastError(), STATUS_NOT_IMPLEMENTED);
    EXPECT_FALSE(ISP(ispDisableFuseBit)(3)) << family;
    EXPECT_EQ(lastError(), STATUS_NOT_IMPLEMENTED);
    EXPECT_EQ(requests().size(), before) << family;
  }
}

TEST_F(CanSession, AHardwareByteThatWasNotReadIsNeverWritten) {
  connectAndOpen("MCU26");
  inject(sim::CanFault::EmptyReply);  // the read answers "pass"
  const size_t before = requests().size();
  EXPECT_FALSE(ISP(ispEnableFuseBit)(2));
  EXPECT_EQ(lastError(), STATUS_INVALID_BOOTLOADER_REPLY);
  EXPECT_EQ(requestsSince(before), (Frames{"005020200"}));
  EXPECT_EQ(loaderSpecial(CanSpecial::Hwb), 0xFF);
}

TEST_F(CanSession, AReplyWithoutDataLeavesPassAsTheResult) {
  connectAndOpen("MCU26");
  inject(sim::CanFault::EmptyReply);
  ASSERT_TRUE(ISP(ispReadSpecialByte)(5)) << lastError();
  EXPECT_EQ(lastResult(), "pass");
}

}  // namespace
