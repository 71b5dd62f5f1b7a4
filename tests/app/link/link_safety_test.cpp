// The link's bounds: what it does with refused requests, foreign or short
// replies, nested requests and a queue that never empties.
#include <QTimer>

#include "tests/app/link/link_fixture.h"
#include "tests/sim/device/telegram.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;
using devsim::kForever;

std::vector<uint8_t> ReplyFrame(int address, uint8_t command, std::vector<uint8_t> data) {
  return devsim::EncodeReply(devsim::Reply{address, static_cast<uint8_t>(command | 0x80), 0, 0, std::move(data)},
                             devsim::Framing{});
}

TEST_F(LinkTest, ARefusedRequestIsReportedAsAFailure) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    int address;
    uint8_t command;
  };
  const std::vector<Case> cases = {
      {"port not usable", [&] { link().PortUsable = 0; }, 1, CMD_ADC_INFO},
      {"communication error", [&] { link().CommErrorCount = COM_ERROR_LIMIT; }, 1, CMD_ADC_INFO},
      {"address 0", [] {}, 0, CMD_ADC_INFO},
      {"address beyond the queues", [] {}, 200, CMD_ADC_INFO},
      {"value stream running", [&] { link().Options.sdcont = 1; }, 1, CMD_ADC_INFO},
  };
  for (const Case& c : cases) {
    link().PortUsable = 1;
    link().CommErrorCount = 0;
    link().Options.sdcont = 0;
    link().TransferFailed = 0;
    link().DeviceErrorFlag = 1;
    c.arrange();
    EXPECT_FALSE(link().QueueRequest(c.address, c.command, nullptr, 0, 0, 1)) << c.name;
    EXPECT_EQ(link().TransferFailed, 1) << c.name;
    EXPECT_EQ(link().DeviceErrorFlag, 0) << c.name;
    EXPECT_EQ(link().PendingCount, 0) << c.name;
    EXPECT_TRUE(link().WaitUntilIdle()) << c.name;
  }
  // A ninth request to one address.
  link().PortUsable = 1;
  link().CommErrorCount = 0;
  link().Options.sdcont = 0;
  for (int i = 0; i < QUEUE_DEPTH; ++i) ASSERT_TRUE(link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1));
  EXPECT_FALSE(link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1));
  EXPECT_EQ(link().TransferFailed, 1);
  EXPECT_TRUE(link().WaitUntilIdle());
  EXPECT_EQ(Received().size(), static_cast<size_t>(QUEUE_DEPTH));
}

TEST_F(LinkTest, RepliesFromAnotherAddressAndBytesBeforeTheFrameAreIgnored) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.weightTextOverride = "G C1:+   1.00:+   1.00:+   0.00<"; });
  std::vector<uint8_t> noise{0x55, 0x00, 0x02, 0x01};  // a zero byte and a false frame start
  const std::vector<uint8_t> foreign = ReplyFrame(5, CMD_READ_WEIGHT, {'F', 'A', 'K', 'E'});
  noise.insert(noise.end(), foreign.begin(), foreign.end());
  sim_.InjectFault(1, Fault(FaultKind::Garbage).On(CMD_READ_WEIGHT).Bytes(noise));
  ASSERT_TRUE(Request(CMD_READ_WEIGHT, {0x00, 0x01}));
  EXPECT_EQ(link().TransferFailed, 0);
  EXPECT_EQ(link().WeightText, "G C1:+   1.00:+   1.00:+   0.00<");
  EXPECT_EQ(Received().size(), 1u);
}

TEST_F(LinkTest, ALongReplyStaysWithinTheRequestsReplyCopy) {
  const std::string text(200, 'W');
  sim_.WithDevice(1, [&](devsim::DeviceModel& m) { m.weightTextOverride = text; });
  ASSERT_TRUE(Request(CMD_READ_WEIGHT, {0x00, 0x01}));
  EXPECT_EQ(link().WeightText, text);
  EXPECT_EQ(link().RxCount, 200 + 7);
  EXPECT_EQ(link().ReplyBuffer[5], 'W');
}

TEST_F(LinkTest, AShortAnswerFillsNothingAndFails) {
  // The device answers the clock with three bytes instead of ten.
  sim_.InjectFault(1, Fault(FaultKind::Garbage).On(CMD_READ_CLOCK).Bytes(ReplyFrame(1, CMD_READ_CLOCK, {1, 2, 3})));
  link().DeviceClock.fill(0xEE);
  ASSERT_TRUE(Request(CMD_READ_CLOCK));
  EXPECT_EQ(link().TransferFailed, 1);
  EXPECT_EQ(link().DeviceClock, (std::array<uint8_t, 10>{0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}));
  EXPECT_EQ(link().PendingCount, 0);
}

TEST_F(LinkTest, ARequestQueuedDuringATransactionWaitsForItsEnd) {
  // The first reply comes late; the second request is queued meanwhile, once
  // the device has the first one.
  sim_.InjectFault(1, Fault(FaultKind::Delay).DelayMs(300).On(CMD_ADC_INFO));
  bool nestedWaitReturned = false;
  bool nestedWaitResult = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (ReceivedCommands() != std::vector<int>{CMD_ADC_INFO}) return;
    watch.stop();
    link().QueueRequest(1, CMD_READ_CLOCK, nullptr, 0, 0, 1);
    AwaitRepliesPatiently();
    nestedWaitResult = link().WaitUntilIdle();
    nestedWaitReturned = true;
  });
  watch.start(1);
  ASSERT_TRUE(RequestAnswered(CMD_ADC_INFO));
  ASSERT_TRUE(nestedWaitReturned);
  EXPECT_TRUE(nestedWaitResult);  // the running transaction went on beneath it
  // Strictly one request, then its reply, then the next.
  const auto entries = sim_.Log().Entries();
  std::vector<std::pair<devsim::Direction, int>> order;
  for (const auto& e : entries) order.emplace_back(e.direction, e.bytes.size() > 3 ? e.bytes[3] : -1);
  const std::vector<std::pair<devsim::Direction, int>> expected = {
      {devsim::Direction::Received, CMD_ADC_INFO},
      {devsim::Direction::Sent, CMD_ADC_INFO | 0x80},
      {devsim::Direction::Received, CMD_READ_CLOCK},
      {devsim::Direction::Sent, CMD_READ_CLOCK | 0x80},
  };
  EXPECT_EQ(order, expected);
  EXPECT_EQ(link().TransferFailed, 0);
}

TEST_F(LinkTest, TheErrorCodesAfterAnErrorReplyAreReadOnceTheRequestHasEnded) {
  // A reply with command byte 0x80 for another request resets the link and
  // leaves that byte as the previous reply command.
  sim_.InjectFault(1, Fault(FaultKind::WrongCommand).ReplyCommand(0x00).On(CMD_ADC_INFO));
  Request(CMD_ADC_INFO);
  sim_.InjectFault(1, Fault(FaultKind::ErrorStatus).On(CMD_READ_CLOCK));
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.errorCodes = {0x00, 0x07}; });
  sim_.Log().Clear();
  ASSERT_TRUE(Request(CMD_READ_CLOCK));
  EXPECT_EQ(ReceivedCommands(), (std::vector<int>{CMD_READ_CLOCK, CMD_ERROR_CODES}));
  EXPECT_EQ(link().ErrorCodes, (std::array<uint8_t, 2>{0x00, 0x07}));
  EXPECT_EQ(link().PendingCount, 0);
}

TEST_F(LinkTest, WaitUntilIdleGivesUpWhenTheQueueIsNotServed) {
  platform::Clock::SetScale(0.01);
  // The wait's budget follows from the command's own time-out here.
  link().LeastAnswerTimeout = nullptr;
  ASSERT_TRUE(link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1));
  link().Timer1->SetEnabled(false);  // as while the value stream runs
  EXPECT_FALSE(link().WaitUntilIdle());
  EXPECT_EQ(link().PendingCount, 0);
  EXPECT_EQ(link().TransferFailed, 1);
}

TEST_F(LinkTest, TheWaitWindowOfACalibrationStepClosesHoweverTheStepEnds) {
  int shown = 0;
  Form16->OnShow = [&](TObject*) { ++shown; };
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_CAL_ZERO).Times(2));
  Request(CMD_CAL_ZERO);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(link().TransferFailed, 1);
  EXPECT_FALSE(Form16->Visible());
  // An external step without data shows no wait window, whatever an earlier
  // request left in the entry.
  dialogs_.Answer(IDOK);
  Request(CMD_EXT_CAL_POINT, {0x01, '5', '0'});
  EXPECT_EQ(shown, 2);
  EXPECT_FALSE(Form16->Visible());
  dialogs_.Answer(IDOK);
  Request(CMD_EXT_CAL_ZERO);
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(dialogs_.Boxes().size(), 2u);
}

TEST_F(LinkTest, TheWaitWindowFollowsTheLanguage) {
  link().Options.lang = 1;
  Form16->ChangeLanguage();
  EXPECT_EQ(Form16->Caption(), "Wait...");
  EXPECT_EQ(Form16->Label2->Caption(), "Calibration");
  EXPECT_EQ(Form16->Label1->Caption(), "Please wait...");
}

TEST_F(LinkTest, AReplyWithAnAddressAbove126ResetsTheLink) {
  sim_.InjectFault(1, Fault(FaultKind::Garbage).On(CMD_ADC_INFO).Bytes(ReplyFrame(127, CMD_ADC_INFO, {0})));
  ASSERT_TRUE(link().QueueRequest(1, CMD_ADC_STATE, nullptr, 0, 0, 1));
  ASSERT_TRUE(link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1));
  link().WaitUntilIdle();
  EXPECT_EQ(ReceivedCommands(), (std::vector<int>{CMD_ADC_INFO}));
  EXPECT_EQ(link().PendingCount, 0);
}

}  // namespace
