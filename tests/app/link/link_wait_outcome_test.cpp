// What a wait reports: the outcome of the request its caller waits for, not
// that of whichever of its requests the link served last.
#include <string>

#include "tests/app/link/link_fixture.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;
using devsim::kForever;

struct Queued {
  uint8_t command;
  int await;
};

struct Case {
  std::string name;
  std::vector<Queued> queued;  // in this order, then one wait
  std::vector<Fault> faults;
  int transferFailed;
  int deviceError;
  int replyCommand;  // -1: no reply stands for the request waited for
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class WaitOutcomeTest : public LinkTest, public ::testing::WithParamInterface<Case> {};

TEST_P(WaitOutcomeTest, TheCallerGetsTheOutcomeOfTheRequestItWaitsFor) {
  const Case& c = GetParam();
  // The device does not answer the release of its cyclic output, so that
  // no late reply can stand for another request.
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_HOLD_CYCLIC).Times(kForever));
  for (const Fault& f : c.faults) sim_.InjectFault(1, f);
  const uint8_t data = 1;
  for (const Queued& q : c.queued) ASSERT_TRUE(link().QueueRequest(1, q.command, &data, 1, 0, q.await));
  ASSERT_TRUE(link().WaitUntilIdle());
  EXPECT_EQ(link().PendingCount, 0);
  EXPECT_EQ(link().TransferFailed, c.transferFailed);
  EXPECT_EQ(link().DeviceErrorFlag, c.deviceError);
  EXPECT_EQ(link().ReplyValid, c.replyCommand < 0 ? 0 : 1);
  if (c.replyCommand >= 0) {
    EXPECT_EQ(link().ReplyBuffer[2], c.replyCommand | REPLY_FLAG);
  }
}

const Queued kRelease{CMD_HOLD_CYCLIC, 0};
const Queued kInfo{CMD_ADC_INFO, 1};
const Queued kState{CMD_ADC_STATE, 1};

INSTANTIATE_TEST_SUITE_P(
    Waits, WaitOutcomeTest,
    ::testing::Values(
        // The set-up write after the read's release of the output: the
        // release goes out after the newer request and ends last.
        Case{"DeviceErrorBehindAnEarlierSendOnlyRequest",
             {kRelease, kInfo},
             {Fault(FaultKind::ErrorStatus).On(CMD_ADC_INFO)},
             0,
             1,
             CMD_ADC_INFO},
        Case{"NoAnswerBehindAnEarlierSendOnlyRequest",
             {kRelease, kInfo},
             {Fault(FaultKind::NoAnswer).On(CMD_ADC_INFO).Times(kForever)},
             1,
             0,
             -1},
        Case{"ASendOnlyRequestQueuedAfterTheAwaitedOne",
             {kInfo, kRelease},
             {Fault(FaultKind::ErrorStatus).On(CMD_ADC_INFO)},
             0,
             1,
             CMD_ADC_INFO},
        Case{"TheLastAwaitedRequestFailsAnEarlierOneIsAnswered",
             {kState, kInfo},
             {Fault(FaultKind::ErrorStatus).On(CMD_ADC_INFO)},
             0,
             1,
             CMD_ADC_INFO},
        Case{"TheLastAwaitedRequestIsAnswered", {kState, kInfo}, {}, 0, 0, CMD_ADC_INFO},
        Case{"OnlySendOnlyRequests", {kRelease}, {}, 0, 0, -1}),
    [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST_F(LinkTest, ARefusedLastRequestFailsTheWaitWhateverTheEarlierOnesDid) {
  ASSERT_TRUE(link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1));
  link().Options.sdcont = 1;  // the value stream refuses every other request
  EXPECT_FALSE(link().QueueRequest(1, CMD_ADC_STATE, nullptr, 0, 0, 1));
  link().Options.sdcont = 0;
  ASSERT_TRUE(link().WaitUntilIdle());
  EXPECT_EQ(ReceivedCommands(), (std::vector<int>{CMD_ADC_INFO}));
  EXPECT_EQ(link().TransferFailed, 1);
  EXPECT_EQ(link().ReplyValid, 0);
}

}  // namespace
