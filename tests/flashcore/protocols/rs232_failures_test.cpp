// How the RS-232 protocol reports a boot loader that refuses, stays silent,
// breaks off or answers with something else, and ranges it cannot cover.
#include <functional>

#include "tests/flashcore/core/temp_dir.h"
#include "tests/flashcore/protocols/rs232_session.h"

namespace {

using sim::BootloaderEngine;
using sim::Fault;

class Failures : public Rs232Session {
 protected:
  // A last result that a failing operation must leave alone.
  void markLastResult() {
    ASSERT_TRUE(ISP(ispGetExpectedSsbValue)(1));
    ASSERT_EQ(lastResult(), "FE");
  }
};

TEST_F(Failures, BlankCheckNamesPageAndFirstWrittenAddress) {
  connectAndSync(3, "MCU02");
  ASSERT_TRUE(ISP(ispBlankCheckAddrRange)(0, 0x3FFF)) << lastError();
  engine([](BootloaderEngine& e) {
    e.writeMemory(0, 0x0123, {0x00});
    return 0;
  });
  EXPECT_FALSE(ISP(ispBlankCheckDevice)());
  EXPECT_EQ(lastError(), STATUS_BLANK_CHECK_ERROR);
  EXPECT_EQ(lastResult(), "00123");
  EXPECT_EQ(requests().back(), ":0500000400003FFF01B8");
}

TEST_F(Failures, BlankCheckOnTheSecondPage) {
  connectAndSync(26, "MCU27");
  engine([](BootloaderEngine& e) {
    e.writeMemory(0, 0x10123, {0x5A});
    return 0;
  });
  EXPECT_FALSE(ISP(ispBlankCheckAddrRange)(0x10000, 0x1FFFF));
  EXPECT_EQ(lastError(), STATUS_BLANK_CHECK_ERROR);
  EXPECT_EQ(lastResult(), "10123");
}

struct Refusal {
  const char* name;
  std::function<void(BootloaderEngine&)> arrange;
  std::function<bool()> operation;
  int status;
};

TEST_F(Failures, RefusalsGiveTheirStatusesAndKeepTheLastResult) {
  const Refusal refusals[] = {
      {"X: checksum", [](BootloaderEngine& e) { e.injectFault(Fault::ChecksumReply); },
       [] { return ISP(ispEraseDevice)(); }, STATUS_CHECKSUM_ERROR},
      {"P: writes protected", [](BootloaderEngine& e) { e.setProtection(true, false); },
       [] { return ISP(ispProgramAddrRange)(0, 15, 0); }, STATUS_DEVICE_PROTECTION_ERROR},
      {"L: reads protected", [](BootloaderEngine& e) { e.setProtection(false, true); },
       [] { return ISP(ispBlankCheckAddrRange)(0, 255); }, STATUS_DEVICE_PROTECTION_ERROR_2},
      {"X on a special byte", [](BootloaderEngine& e) { e.injectFault(Fault::ChecksumReply); },
       [] { return ISP(ispReadSpecialByte)(8); }, STATUS_CHECKSUM_ERROR},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.name);
    connectAndSync(3, "MCU02");
    markLastResult();
    engine([&](BootloaderEngine& e) {
      r.arrange(e);
      return 0;
    });
    EXPECT_FALSE(r.operation());
    EXPECT_EQ(lastError(), r.status);
    EXPECT_EQ(lastResult(), "FE");
  }
}

TEST_F(Failures, SilentLoaderTimesOut) {
  connect(3, "MCU02");
  engine([](BootloaderEngine& e) {
    e.injectFault(Fault::Silence);
    return 0;
  });
  EXPECT_FALSE(ISP(ispSyncTarget)());
  EXPECT_EQ(lastError(), STATUS_TIMEOUT_ERROR);
  ASSERT_TRUE(ISP(ispSyncTarget)()) << lastError();
  engine([](BootloaderEngine& e) {
    e.injectFault(Fault::Silence);
    return 0;
  });
  EXPECT_FALSE(ISP(ispEraseSbvBsb)());
  EXPECT_EQ(lastError(), STATUS_TIMEOUT_ERROR);
}

TEST_F(Failures, CutReplyTimesOutAndStoresNoValue) {
  connectAndSync(3, "MCU02");
  markLastResult();
  engine([](BootloaderEngine& e) {
    e.injectFault(Fault::CutReply);  // the echo, then nothing
    return 0;
  });
  EXPECT_FALSE(ISP(ispReadSpecialByte)(0));
  EXPECT_EQ(lastError(), STATUS_TIMEOUT_ERROR);
  EXPECT_EQ(lastResult(), "FE");
  // A reply cut inside a display line is no reply either.
  engine([](BootloaderEngine& e) {
    e.injectFault(Fault::CutReply, 1, 40);
    return 0;
  });
  ASSERT_TRUE(ISP(ispSetTimeout)(1, 0));
  EXPECT_FALSE(ISP(ispReadAddrRange)(0, 255, ""));
  EXPECT_EQ(lastError(), STATUS_TIMEOUT_ERROR);
}

TEST_F(Failures, RefusedDisplayTimesOutOnTheExpectedLength) {
  connectAndSync(3, "MCU02");
  engine([](BootloaderEngine& e) {
    e.setProtection(false, true);
    return 0;
  });
  ASSERT_TRUE(ISP(ispSetTimeout)(1, 0));
  EXPECT_FALSE(ISP(ispVerifyAddrRange)(0, 255));
  EXPECT_EQ(lastError(), STATUS_TIMEOUT_ERROR);
}

TEST_F(Failures, GarbledDisplayReplyIsAWrongReplyAndStoresNothing) {
  connectAndSync(3, "MCU02");
  ASSERT_TRUE(ISP(ispFillBuffer)("11"));
  engine([](BootloaderEngine& e) {
    e.injectFault(Fault::Garbage);
    return 0;
  });
  EXPECT_FALSE(ISP(ispReadAddrRange)(0, 255, ""));
  EXPECT_EQ(lastError(), STATUS_WRONG_TARGET_REPLY);
  EXPECT_EQ(bufferByte(0), "11");
}

TEST_F(Failures, VerifyNamesTheInPageAddress) {
  connectAndSync(26, "MCU27");
  ISP(ispRandomizeBuffer)();
  ASSERT_TRUE(ISP(ispProgramAddrRange)(0x10100, 0x101FF, 0)) << lastError();
  ASSERT_TRUE(ISP(ispVerifyAddrRange)(0x10100, 0x101FF)) << lastError();
  const std::string byte = bufferByte(0x10133);
  engine([&](BootloaderEngine& e) {
    e.writeMemory(0, 0x10133, {static_cast<std::uint8_t>(~std::stoul(byte, nullptr, 16))});
    return 0;
  });
  EXPECT_FALSE(ISP(ispVerifyAddrRange)(0x10100, 0x101FF));
  EXPECT_EQ(lastError(), STATUS_VERIFY_ERROR);
  EXPECT_EQ(lastResult(), "0133");
}

TEST_F(Failures, ByteTextsAreProgrammedAndVerifiedByTheirValue) {
  connectAndSync(3, "MCU02");
  ASSERT_TRUE(ISP(ispWriteSingleByteToBuffer)(0x20, "3c"));
  ASSERT_TRUE(ISP(ispWriteSingleByteToBuffer)(0x21, "A"));
  ASSERT_TRUE(ISP(ispProgramAddrRange)(0x20, 0x21, 0)) << lastError();
  EXPECT_EQ(requests()[requests().size() - 2], programRecord(0x20, {0x3C, 0x0A}));
  EXPECT_TRUE(ISP(ispVerifyAddrRange)(0x20, 0x21)) << lastError();
}

TEST_F(Failures, RangesTheMemoryCannotHoldSendNothing) {
  connectAndSync(3, "MCU02");
  const size_t before = requests().size();
  struct Case {
    const char* name;
    bool result;
  } cases[] = {
      {"reversed", ISP(ispProgramAddrRange)(0x200, 0x100, 0)},
      {"past the end", ISP(ispProgramAddrRange)(0x3F00, 0x4000, 0)},
      {"read past the end", ISP(ispReadAddrRange)(0, 0x4000, "")},
      {"verify past the end", ISP(ispVerifyAddrRange)(0x4000, 0x4000)},
      {"blank check reversed", ISP(ispBlankCheckAddrRange)(1, 0)},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(c.result) << c.name;
  }
  EXPECT_EQ(lastError(), STATUS_ADDRESS_OUT_OF_RANGE_ERROR);
  EXPECT_EQ(requests().size(), before);

  // A HEX file without data leaves no range to program or verify.
  TempDir dir;
  ASSERT_TRUE(ISP(ispParseHexFile)(dir.write("empty.hex", ":00000001FF\r\n").c_str())) << lastError();
  EXPECT_FALSE(ISP(ispProgramDevice)());
  EXPECT_EQ(lastError(), STATUS_ADDRESS_OUT_OF_RANGE_ERROR);
  EXPECT_FALSE(ISP(ispVerifyDevice)());
  EXPECT_EQ(lastError(), STATUS_ADDRESS_OUT_OF_RANGE_ERROR);

  // A memory index the part does not have holds nothing to program.
  ASSERT_TRUE(ISP(ispSelectMemory)(3));
  EXPECT_FALSE(ISP(ispReadDevice)(""));
  EXPECT_EQ(lastError(), STATUS_CANNOT_EXECUTE_COMMAND);
  EXPECT_FALSE(ISP(ispProgramAddrRange)(0, 0, 0));
  EXPECT_EQ(lastError(), STATUS_CANNOT_EXECUTE_COMMAND);
  EXPECT_EQ(requests().size(), before);

  // The records name FLASH, EEPROM and CUSTOM only: the LPC boot memory
  // cannot be reached over this line.
  ASSERT_TRUE(ISP(ispSelectMemory)(7));
  EXPECT_FALSE(ISP(ispProgramAddrRange)(0, 15, 0));
  EXPECT_EQ(lastError(), STATUS_INVALID_MEMORY_CONFIGURATION);
  EXPECT_FALSE(ISP(ispVerifyAddrRange)(0, 15));
  EXPECT_EQ(lastError(), STATUS_INVALID_MEMORY_CONFIGURATION);
  EXPECT_EQ(requests().size(), before);
}

TEST_F(Failures, PortNotOpenCannotBeWritten) {
  ASSERT_TRUE(ISP(ispSelectDevice)(3));
  ASSERT_TRUE(ISP(ispSelectCommHardware)(1)) << lastError();
  EXPECT_FALSE(ISP(ispSyncTarget)());
  EXPECT_EQ(lastError(), STATUS_CANNOT_WRITE_TO_PORT);
}

TEST_F(Failures, NothingRunsOnAnUnloadedTransport) {
  connectAndSync(3, "MCU02");
  EXPECT_NE(ISP(ispCancel)(), 0);
  const size_t before = requests().size();
  EXPECT_FALSE(ISP(ispSyncTarget)());
  EXPECT_EQ(lastError(), STATUS_CANNOT_EXECUTE_COMMAND);
  EXPECT_FALSE(ISP(ispClosePort)());
  EXPECT_EQ(ISP(ispCancel)(), 0);

  // Selecting the part again unloads the library and drops the protocol.
  ASSERT_TRUE(ISP(ispSelectCommHardware)(1));
  ASSERT_TRUE(ISP(ispSelectDevice)(3));
  EXPECT_FALSE(ISP(ispEraseDevice)());
  EXPECT_EQ(lastError(), STATUS_CANNOT_EXECUTE_COMMAND);
  EXPECT_FALSE(ISP(ispOpenRs232Port)("COM1", 115200));
  EXPECT_EQ(lastError(), STATUS_CANNOT_EXECUTE_COMMAND);
  EXPECT_EQ(requests().size(), before);
}

}  // namespace
