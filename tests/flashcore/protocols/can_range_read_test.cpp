// A range read answered by several messages. The CAN-over-RS-232 hardware
// reads eight addresses per request, so this drives the protocol object
// directly, with the transport bound to canlink_serial and no hardware code:
// then a block is 1024 addresses, asked for once and answered eight bytes at
// a time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "flashcore/core/device_catalogue.h"
#include "flashcore/core/library_context.h"
#include "flashcore/core/transport.h"
#include "flashcore/protocols/can_protocol.h"
#include "platform/win/library.h"
#include "platform/win/ticks.h"
#include "tests/sim/canloader/can_loader_sim.h"
#include "tests/support/deliverables.h"

namespace {

using Frames = std::vector<std::string>;

class CanRangeRead : public testing::Test {
 protected:
  void SetUp() override {
    platform::win::SetClockScale(0.01);
    setenv("SERIAL_COM1", loader_.slavePath().c_str(), 1);
    ClibraryContext& context = libraryContext();
    context.initialise();
    library_ = platform::win::Library(platform::win::LoadLibraryA(deliverable("canlink_serial.dll").c_str()));
    ASSERT_TRUE(library_) << platform::win::LastLibraryError();
    context.transport()->bind(library_.get(), MEDIUM_CAN);
    ASSERT_TRUE(context.transport()->openCan(500, 0, 0, 5, 115200));
    context.setDevice(createDevice(6));  // MCU26
    context.setProtocol(std::make_unique<CcanProtocol>());
    protocol().selectCanNode(5);
    loader_.withLoader([](sim::CanLoader& l) {
      for (std::uint32_t a = 0; a < 100; ++a) l.writeMemory(0, a, {static_cast<std::uint8_t>(a + 1)});
      return 0;
    });
  }

  void TearDown() override {
    ClibraryContext& context = libraryContext();
    context.deleteProtocol();
    context.deleteDevice();
    context.transport()->close();
    context.transport()->clear();
  }

  static CcanProtocol& protocol() { return static_cast<CcanProtocol&>(*libraryContext().protocol()); }
  static Cdevice& part() { return *libraryContext().device(); }

  sim::CanLoaderSim loader_;
  platform::win::Library library_;
};

TEST_F(CanRangeRead, OneRequestManyReplies) {
  protocol().readOrVerifyRange(0, 0, 99, 0);
  const Frames sent = loader_.requests();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1], "00305000000" "0063");
  EXPECT_EQ(loader_.busLog()[1].replies.size(), 13u);
  EXPECT_EQ(protocol().replyLength, 4);  // the last reply: 100 = 12 * 8 + 4
  for (int a = 0; a < 100; ++a) {
    char expected[3];
    std::snprintf(expected, sizeof expected, "%02X", a + 1);
    EXPECT_EQ(part().readBufferByte(0, a), expected) << a;
  }
}

TEST_F(CanRangeRead, VerifyTakesEveryReplyAndNamesTheLastDifference) {
  for (int a = 0; a < 100; ++a) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", a + 1);
    part().writeBufferByte(0, a, text);
  }
  part().writeBufferByte(0, 0x05, "00");  // in the first reply
  part().writeBufferByte(0, 0x06, "00");  // same reply: not compared
  part().writeBufferByte(0, 0x2A, "00");  // in the sixth reply
  EXPECT_THROW(protocol().readOrVerifyRange(0, 0, 99, 1), STATUS);
  EXPECT_EQ(libraryContext().commandManager()->lastStatus(), STATUS_VERIFY_ERROR);
  EXPECT_EQ(libraryContext().commandManager()->lastResult(), "002A");
  // All thirteen replies were taken: the next request gets its own answer.
  protocol().readSpecial(protocol().readSpecialRecords[15]);
  EXPECT_EQ(libraryContext().commandManager()->lastResult(), "05");
}

}  // namespace
