// How CAN exchanges fail: the status and its text for each kind of bad or
// missing reply, the node rule, and what is sent or stored when they fail.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "tests/flashcore/protocols/can_session.h"

namespace {

using Frames = std::vector<std::string>;

struct FailureCase {
  const char* name;
  sim::CanFault fault;
  std::function<bool()> operation;
  int status;
  const char* text;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class CanFailure : public CanSession, public testing::WithParamInterface<FailureCase> {};

TEST_P(CanFailure, StatusAndText) {
  connectAndOpen("MCU26");
  inject(GetParam().fault);
  EXPECT_FALSE(GetParam().operation());
  EXPECT_EQ(lastError(), GetParam().status);
  EXPECT_EQ(statusText(lastError()), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, CanFailure,
    testing::Values(
        FailureCase{"Refusal", sim::CanFault::Refuse, [] { return ISP(ispReadSpecialByte)(4); }, 21,
                    "Device protection is set."},
        FailureCase{"RefusedErase", sim::CanFault::Refuse, [] { return ISP(ispEraseDevice)(); }, 21,
                    "Device protection is set."},
        FailureCase{"WrongIdentifier", sim::CanFault::WrongId, [] { return ISP(ispReadSpecialByte)(4); }, 30,
                    "CAN message ID is not valid."},
        FailureCase{"EraseNotDone", sim::CanFault::BadAck, [] { return ISP(ispEraseDevice)(); }, 32,
                    "Cannot execute command."},
        FailureCase{"EmptyAnswerToAWrite", sim::CanFault::EmptyReply, [] { return ISP(ispWriteSpecialByte)(4, 0); },
                    32, "Cannot execute command."}));

// Each fault on the first data frame of a range: the frame's answer is
// judged, and programming stops there.
TEST_F(CanSession, BadAcknowledgementOfADataFrame) {
  connectAndOpen("MCU26");
  for (sim::CanFault fault : {sim::CanFault::BadAck, sim::CanFault::EmptyReply}) {
    inject(sim::CanFault::None);  // the programming start
    inject(fault);
    const size_t before = requests().size();
    EXPECT_FALSE(ISP(ispProgramAddrRange)(0, 0x17, 0));
    EXPECT_EQ(lastError(), STATUS_INVALID_BOOTLOADER_REPLY);
    EXPECT_EQ(statusText(lastError()), "Invalid bootloader reply.");
    EXPECT_EQ(requestsSince(before).size(), 2u) << "start and one data frame";
  }
}

TEST_F(CanSession, TheLastFrameMustBeAnsweredRangeComplete) {
  connectAndOpen("MCU26");
  inject(sim::CanFault::None);
  inject(sim::CanFault::BadAck);  // 02 for the only frame
  EXPECT_FALSE(ISP(ispProgramAddrRange)(0, 3, 0));
  EXPECT_EQ(lastError(), STATUS_INVALID_BOOTLOADER_REPLY);
}

TEST_F(CanSession, ASecondSelectionClosesTheNode) {
  connectAndOpen("MCU26");
  EXPECT_FALSE(ISP(ispSelectCanNode)(5));
  EXPECT_EQ(lastError(), STATUS_CAN_NODE_CLOSED);
  EXPECT_EQ(statusText(lastError()), "The CAN node is closed.");
  EXPECT_EQ(lastResult(), "2300");
  EXPECT_FALSE(onLoader([](sim::CanLoader& l) { return l.nodeOpen(); }));
}

TEST_F(CanSession, NodeBoundOperationsSendNothingWhileTheNodeIsClosed) {
  connect("MCU26");
  const std::vector<std::function<bool()>> operations = {
      [] { return ISP(ispReadSpecialByte)(4); },       [] { return ISP(ispWriteSpecialByte)(4, 0x12); },
      [] { return ISP(ispEraseBlock)(0); },            [] { return ISP(ispEraseSbvBsb)(); },
      [] { return ISP(ispSetSecurityLev1)(); },        [] { return ISP(ispSetSecurityLev2)(); },
      [] { return ISP(ispProgramAddrRange)(0, 7, 0); }, [] { return ISP(ispBlankCheckAddrRange)(0, 7); },
      [] { return ISP(ispVerifyAddrRange)(0, 7); },     [] { return ISP(ispEnableFuseBit)(1); },
  };
  for (size_t i = 0; i < operations.size(); ++i) {
    EXPECT_FALSE(operations[i]()) << i;
    EXPECT_EQ(lastError(), STATUS_CAN_NODE_CLOSED) << i;
  }
  EXPECT_TRUE(requests().empty());
}

TEST_F(CanSession, EraseDeviceDoesNotAskForAnOpenNode) {
  connect("MCU26");
  ASSERT_TRUE(ISP(ispSetTimeout)(1, 0));
  // The boot loader ignores a closed node's requests: the frame goes out
  // and its wait runs out.
  EXPECT_FALSE(ISP(ispEraseDevice)());
  EXPECT_EQ(lastError(), STATUS_TIMEOUT_ERROR);
  EXPECT_EQ(requests(), (Frames{"0040200FF"}));
}

TEST_F(CanSession, ASilentBusEndsWithinItsWait) {
  connect("MCU26");
  inject(sim::CanFault::Silence, 10);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(ISP(ispSelectCanNode)(5));
  EXPECT_EQ(lastError(), STATUS_TIMEOUT_ERROR);
  EXPECT_EQ(statusText(lastError()), "Timeout error.");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
  EXPECT_EQ(requests(), (Frames{"0000105"}));
}

TEST_F(CanSession, RepliesWithoutTheNodeStateSayNothing) {
  connect("MCU26");
  inject(sim::CanFault::EmptyReply);
  EXPECT_FALSE(ISP(ispSelectCanNode)(5));
  EXPECT_EQ(lastError(), STATUS_INVALID_BOOTLOADER_REPLY);
  EXPECT_FALSE(ISP(ispReadSpecialByte)(4));
  EXPECT_EQ(lastError(), STATUS_CAN_NODE_CLOSED);
}

TEST_F(CanSession, ABlankCheckReplyOfAnotherLengthIsNoAnswer) {
  connectAndOpen("MCU26");
  inject(sim::CanFault::ExtraByte);  // one byte where none means blank
  EXPECT_FALSE(ISP(ispBlankCheckAddrRange)(0, 0xFF));
  EXPECT_EQ(lastError(), STATUS_INVALID_BOOTLOADER_REPLY);
}

TEST_F(CanSession, AReadReplyPastTheRangeStoresNothingBeyondIt) {
  connectAndOpen("MCU26");
  onLoader([](sim::CanLoader& l) {
    l.writeMemory(0, 0, {0x01, 0x02, 0x03, 0x04});
    return 0;
  });
  ISP(ispFillBuffer)("FF");
  inject(sim::CanFault::LongReply);
  EXPECT_FALSE(ISP(ispReadAddrRange)(0, 2, ""));
  EXPECT_EQ(lastError(), STATUS_INVALID_BOOTLOADER_REPLY);
  EXPECT_EQ(bufferByte(3), "FF");
}

TEST_F(CanSession, VerifyNamesTheFirstDifference) {
  connectAndOpen("MCU26");
  ISP(ispFillBuffer)("FF");
  onLoader([](sim::CanLoader& l) {
    l.writeMemory(0, 0x0002, {0x00, 0x00});
    l.writeMemory(0, 0x000A, {0x00});
    return 0;
  });
  EXPECT_FALSE(ISP(ispVerifyAddrRange)(0, 0x0F));
  EXPECT_EQ(lastError(), STATUS_VERIFY_ERROR);
  EXPECT_EQ(lastResult(), "0002");
  EXPECT_EQ(statusText(lastError()), "Verify device fail at ");
  // Nothing of the failed read is left on the line for the next request.
  ASSERT_TRUE(ISP(ispReadSpecialByte)(15)) << lastError();
  EXPECT_EQ(lastResult(), "05");
}

TEST_F(CanSession, AFrameTheAdapterRefusesCannotBeWritten) {
  connectAndOpen("MCU26");
  loader().withAdapter([](sim::SlcanAdapter& a) {
    a.setRefuseTransmit(true);
    return 0;
  });
  EXPECT_FALSE(ISP(ispReadSpecialByte)(4));
  EXPECT_EQ(lastError(), STATUS_CANNOT_WRITE_TO_PORT);
  EXPECT_EQ(statusText(lastError()), "Cannot write to port.");
}

TEST_F(CanSession, ThereIsNoSbvBsbEraseOverCan) {
  connectAndOpen("MCU26");
  const size_t before = requests().size();
  EXPECT_FALSE(ISP(ispEraseSbvBsb)());
  EXPECT_EQ(lastError(), STATUS_NOT_IMPLEMENTED);
  EXPECT_EQ(requests().size(), before);
}

TEST_F(CanSession, ACustomTimeoutServesTheNextWait) {
  connectAndOpen("MCU26");
  inject(sim::CanFault::Silence);
  ASSERT_TRUE(ISP(ispSetTimeout)(1, 0));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(ISP(ispEraseDevice)());  // default wait 10 s
  EXPECT_EQ(lastError(), STATUS_TIMEOUT_ERROR);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));
  ASSERT_TRUE(ISP(ispEraseDevice)()) << lastError();
}

}  // namespace
