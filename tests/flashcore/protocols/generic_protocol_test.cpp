// The named-command protocol made by name on an open RS-232 line: commands
// taught at run time, its own synchronisation, blank check and start, and
// the records it lacks.
#include "tests/flashcore/protocols/rs232_session.h"

namespace {

using sim::BootloaderEngine;
using sim::MakeRecord;

class GenericProtocol : public Rs232Session {
 protected:
  // An MCU02 part on the simulator's line, then the named-command protocol
  // in place of the part's own.
  void createOn(const char* name) {
    connect(3, "MCU02");
    ASSERT_TRUE(ISP(ispCreateProtocol)(name)) << lastError();
    EXPECT_EQ(lastError(), STATUS_PASS);
  }

  std::string lastStringError() { return ISP(ispGetLastStringError)(); }
};

TEST_F(GenericProtocol, OnlyItsTwoNamesMakeIt) {
  connect(3, "MCU02");
  for (const char* name : {"rs232_00", "RS232", "CAN_0", ""}) EXPECT_FALSE(ISP(ispCreateProtocol)(name)) << name;
  // The part's own protocol is still in place: it synchronises with "U".
  EXPECT_TRUE(ISP(ispSyncTarget)()) << lastError();
}

TEST_F(GenericProtocol, SynchronisesWithTheTaughtText) {
  createOn("CAN_00");
  EXPECT_FALSE(ISP(ispSyncTarget)());
  EXPECT_EQ(lastError(), STATUS_COMMAND_DOES_NOT_EXIST);
  EXPECT_TRUE(requests().empty());

  EXPECT_TRUE(ISP(ispAddProtocolCmd)("sync", "U"));
  EXPECT_TRUE(ISP(ispAddProtocolCmd)("sync", "X"));  // the first text stays
  ASSERT_TRUE(ISP(ispSyncTarget)()) << lastError();
  EXPECT_EQ(requests(), (std::vector<std::string>{"U"}));
}

TEST_F(GenericProtocol, SendsACommandTaughtAtRunTimeAndReadsItsReply) {
  createOn("RS232_00");
  ISP(ispAddProtocolCmd)("sync", "U");
  ASSERT_TRUE(ISP(ispSyncTarget)()) << lastError();
  engine([](BootloaderEngine& e) {
    e.setSpecial(sim::Special::Version, 0x42);
    return 0;
  });
  ASSERT_TRUE(ISP(ispAddProtocolCmd)("version", ":020000050F00EA"));
  // Before any time-out is set the reply is awaited as long as a command
  // reply of the protocol's own.
  ASSERT_NO_THROW(ISP(ispExecCmd)("version"));
  EXPECT_EQ(lastResult(), "42");
  EXPECT_EQ(requests().back(), ":020000050F00EA");

  try {
    ISP(ispExecCmd)("absent");
    ADD_FAILURE() << "an absent command is refused";
  } catch (STATUS status) {
    EXPECT_EQ(status, STATUS_COMMAND_DOES_NOT_EXIST);
  }
  EXPECT_EQ(lastError(), STATUS_COMMAND_DOES_NOT_EXIST);

  // A refusal of the boot loader reaches the caller the same way.
  ISP(ispAddProtocolCmd)("bad checksum", ":020000050F00EB");
  EXPECT_THROW(ISP(ispExecCmd)("bad checksum"), STATUS);
  EXPECT_EQ(lastError(), STATUS_CHECKSUM_ERROR);
}

TEST_F(GenericProtocol, RecordsItHasAndRecordsItLacks) {
  createOn("RS232_00");
  ISP(ispAddProtocolCmd)("sync", "U");
  ASSERT_TRUE(ISP(ispSyncTarget)());
  const size_t before = requests().size();
  struct Case {
    const char* name;
    bool result;
  } lacking[] = {
      {"ispEraseDevice", ISP(ispEraseDevice)()},
      {"ispSetSecurityLev1", ISP(ispSetSecurityLev1)()},
      {"ispSetSecurityLev2", ISP(ispSetSecurityLev2)()},
      {"ispEnableFuseBit 1", ISP(ispEnableFuseBit)(1)},
      {"ispDisableFuseBit 2", ISP(ispDisableFuseBit)(2)},
      {"ispReadSpecialByte 0", ISP(ispReadSpecialByte)(0)},
  };
  for (const Case& c : lacking) EXPECT_FALSE(c.result) << c.name;
  EXPECT_EQ(lastError(), STATUS_NOT_IMPLEMENTED);
  EXPECT_EQ(requests().size(), before) << "nothing is sent for a missing record";

  ASSERT_TRUE(ISP(ispWriteSpecialByte)(1, 0x5A)) << lastError();
  ASSERT_TRUE(ISP(ispEnableFuseBit)(3)) << lastError();
  ASSERT_TRUE(ISP(ispFillBufferAddrRange)(0, 0x1F, "A5"));
  ASSERT_TRUE(ISP(ispProgramAddrRange)(0, 0x1F, 0)) << lastError();
  ASSERT_TRUE(ISP(ispVerifyAddrRange)(0, 0x1F)) << lastError();
  EXPECT_EQ(requestsSince(before),
            (std::vector<std::string>{MakeRecord("0300000306015A"), ":030000030A0100EF",
                                      MakeRecord("10000000A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5"),
                                      MakeRecord("10001000A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5"), ":03000003060000F4",
                                      MakeRecord("050000040000001F00")}));
}

TEST_F(GenericProtocol, BlankCheckWithTheTaughtTemplate) {
  createOn("RS232_00");
  ISP(ispAddProtocolCmd)("sync", "U");
  ASSERT_TRUE(ISP(ispSyncTarget)());
  EXPECT_FALSE(ISP(ispBlankCheckAddrRange)(0, 0xFF));
  EXPECT_EQ(lastError(), STATUS_COMMAND_DOES_NOT_EXIST);

  ISP(ispAddProtocolCmd)("blank_check", ":05000004AAAABBBB01");
  ASSERT_TRUE(ISP(ispBlankCheckAddrRange)(0, 0xFF)) << lastError();
  EXPECT_EQ(requests().back(), MakeRecord("05000004000000FF01"));
  engine([](BootloaderEngine& e) {
    e.writeMemory(0, 0x0123, {0x00});
    return 0;
  });
  EXPECT_FALSE(ISP(ispBlankCheckAddrRange)(0, 0x1FF));
  EXPECT_EQ(lastError(), STATUS_BLANK_CHECK_ERROR);
  EXPECT_EQ(lastStringError(), "STATUS_BLANK_CHECK_ERROR");
  EXPECT_EQ(lastResult(), "00123");
}

TEST_F(GenericProtocol, StartsAtAddressZeroWhateverTheAddress) {
  createOn("RS232_00");
  ISP(ispAddProtocolCmd)("sync", "U");
  ASSERT_TRUE(ISP(ispSyncTarget)());
  ASSERT_TRUE(ISP(ispEnterAppliMode)(0, 0x1234)) << lastError();
  ASSERT_TRUE(loader().waitForLog(2, std::chrono::seconds(10)));
  EXPECT_EQ(requests().back(), ":0400000303010000F5");
  EXPECT_TRUE(engine([](BootloaderEngine& e) { return e.started(); }));
}

}  // namespace
