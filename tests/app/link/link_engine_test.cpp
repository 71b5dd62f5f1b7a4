// The transaction engine against the simulated device: bytes on the line,
// order, tries, retries and the communication-error state.
#include <QTimer>
#include <chrono>
#include <thread>

#include "tests/app/link/link_fixture.h"
#include "tests/sim/device/telegram.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;
using devsim::kForever;
using Frame = std::vector<uint8_t>;

struct FramingCase {
  bool stxEtx;
  bool checksum;
};

// Names the case after the framing, as in the test's name.
std::string FramingName(const FramingCase& c) {
  return std::string(c.stxEtx ? "StxEtx" : "NoStxEtx") + (c.checksum ? "Checksum" : "NoChecksum");
}
void PrintTo(const FramingCase& c, std::ostream* os) { *os << FramingName(c); }

class FramedLinkTest : public LinkTest, public ::testing::WithParamInterface<FramingCase> {
 protected:
  FramedLinkTest()
      : LinkTest(devsim::SimOptions{devsim::Framing{GetParam().stxEtx, GetParam().checksum},
                                    std::chrono::milliseconds(50), std::chrono::milliseconds(40)}) {}
};

TEST_P(FramedLinkTest, PutsEachRequestOnTheLineAsTheFramingOptionsSay) {
  const FramingCase f = GetParam();
  link().Options.stx_etx = f.stxEtx ? 1 : 0;
  link().Options.csum = f.checksum ? 1 : 0;
  const devsim::Framing framing{f.stxEtx, f.checksum};
  struct Case {
    uint8_t command;
    Frame data;
  };
  const std::vector<Case> cases = {
      {CMD_READ_WEIGHT, {0x00, 0x01}},
      {CMD_ADC_INFO, {}},
      {CMD_ERROR_CODES, {0x01, 0x00}},
      {CMD_BLOCK_READ, {0x00, 0x08, 0x00, 0x00, 0x10}},
  };
  for (const Case& c : cases) {
    sim_.Log().Clear();
    link().BlockLength = 0x10;
    // Unframed replies are never recognised: those requests wait out the link's time-outs.
    f.stxEtx ? RequestAnswered(c.command, c.data) : Request(c.command, c.data);
    const auto frames = Received();
    ASSERT_FALSE(frames.empty()) << int(c.command);
    for (const Frame& frame : frames) EXPECT_EQ(frame, devsim::EncodeRequest(1, c.command, c.data, framing));
    // Only framed replies are recognised; without STX/ETX each request goes out twice.
    EXPECT_EQ(frames.size(), f.stxEtx ? 1u : 2u);
    EXPECT_EQ(link().TransferFailed, f.stxEtx ? 0 : 1);
    link().CommErrorCount = 0;
  }
  if (f.stxEtx && f.checksum) {
    sim_.Log().Clear();
    RequestAnswered(CMD_READ_WEIGHT, {0x00, 0x01});
    EXPECT_EQ(Received().front(), (Frame{0x02, 0x01, 0x05, 0x28, 0x00, 0x00, 0x00, 0x01, 0xFF, 0xD0, 0x03}));
  }
}

INSTANTIATE_TEST_SUITE_P(Framings, FramedLinkTest,
                         ::testing::Values(FramingCase{true, true}, FramingCase{true, false}, FramingCase{false, true},
                                           FramingCase{false, false}),
                         [](const ::testing::TestParamInfo<FramingCase>& info) { return FramingName(info.param); });

TEST_F(LinkTest, RequestsQueuedTogetherGoOutLastInFirstOut) {
  const uint8_t weight[] = {0x00, 0x01};
  ASSERT_TRUE(link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1));
  ASSERT_TRUE(link().QueueRequest(1, CMD_READ_CLOCK, nullptr, 0, 0, 1));
  ASSERT_TRUE(link().QueueRequest(1, CMD_READ_WEIGHT, weight, 2, 0, 1));
  AwaitRepliesPatiently();
  EXPECT_TRUE(link().WaitUntilIdle());
  EXPECT_EQ(ReceivedCommands(), (std::vector<int>{CMD_READ_WEIGHT, CMD_READ_CLOCK, CMD_ADC_INFO}));
  EXPECT_EQ(link().PendingCount, 0);
}

TEST_F(LinkTest, ASilentDeviceGetsEachRequestTwiceAndTheRequestFails) {
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).Times(kForever));
  link().AdcConversionMode = 7;
  EXPECT_TRUE(Request(CMD_ADC_INFO));
  const auto frames = Received();
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0], frames[1]);
  EXPECT_EQ(link().TransferFailed, 1);
  EXPECT_EQ(link().CommErrorCount, 1);
  EXPECT_EQ(link().AdcConversionMode, 7);  // no answer, no field
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

TEST_F(LinkTest, AnAnswerTimeOutGivenAtQueueingReplacesTheCommandsOwn) {
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).Times(kForever));
  ASSERT_TRUE(link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1));
  link().Requests.Find(*link().Requests.Newest())->TimeoutMs = 3000;
  const int64_t start = TForm1::NowMs();
  EXPECT_TRUE(link().WaitUntilIdle());
  // Two tries, each waiting 3 s for its answer where the command's own wait is 0.7 s.
  EXPECT_GE(TForm1::ElapsedMs(start), 2 * 3000);
  EXPECT_EQ(Received().size(), 2u);
  EXPECT_EQ(link().TransferFailed, 1);
}

TEST_F(LinkTest, ThreeFailedRequestsInARowRaiseTheCommunicationErrorOnceUntilTimer4EndsIt) {
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).Times(kForever));
  dialogs_.Answer(IDOK);
  EXPECT_TRUE(Request(CMD_ADC_INFO));
  EXPECT_TRUE(Request(CMD_ADC_INFO));
  EXPECT_TRUE(dialogs_.Boxes().empty());
  EXPECT_TRUE(Request(CMD_ADC_INFO));
  const int64_t raised = TForm1::NowMs();

  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  const MessageBoxRequest& box = dialogs_.Boxes()[0].request;
  EXPECT_EQ(box.text, "Kommunikationsfehler PC<->Gerät (Adr.:1)!");
  EXPECT_EQ(box.title, "FEHLER");
  EXPECT_EQ(box.icon, BoxIcon::Error);
  EXPECT_EQ(Received().size(), 6u);
  EXPECT_EQ(link().StatusBar1->Panel(8).Text, "COM-ERR");
  EXPECT_EQ(link().StatusBar1->Panel(8).Style, TStatusPanelStyle::psOwnerDraw);
  EXPECT_EQ(link().CommErrorCount, 0);
  EXPECT_EQ(link().PendingCount, 0);
  EXPECT_EQ(link().TransactionAborted, 1);  // the link was reset
  EXPECT_FALSE(Form21->Button1->Enabled());
  EXPECT_EQ(Form21->Label14->Caption(), "Bitte warten...");
  EXPECT_TRUE(link().Timer4->Enabled());

  ASSERT_TRUE(PumpUntil([&] { return !link().Timer4->Enabled(); }));
  EXPECT_GE(TForm1::ElapsedMs(raised), 1800);
  EXPECT_EQ(link().StatusBar1->Panel(8).Style, TStatusPanelStyle::psText);
  EXPECT_EQ(link().StatusBar1->Panel(8).Text, "COM-ERR");
  EXPECT_TRUE(Form21->Button1->Enabled());
  EXPECT_EQ(Form21->Label14->Caption(), "");
  EXPECT_EQ(Form21->StatusBar1->Panel(0).Text, "ERR");
  EXPECT_EQ(link().TransferFailed, 0);
  EXPECT_EQ(dialogs_.Boxes().size(), 1u);
}

TEST_F(LinkTest, TheCommunicationErrorDisconnectsAConnectedServiceWindow) {
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).Times(kForever));
  ServiceConnected = 1;
  link().CommErrorCount = 2;
  dialogs_.Answer(IDOK);
  Request(CMD_ADC_INFO);
  EXPECT_EQ(ServiceConnected, 0);
  EXPECT_EQ(dialogs_.Boxes().size(), 1u);
}

TEST_F(LinkTest, Timer6ForgetsASingleFailureButNotTwo) {
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).Times(kForever));
  Request(CMD_ADC_INFO);
  ASSERT_EQ(link().CommErrorCount, 1);
  link().Timer6->SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return link().CommErrorCount == 0; }));
  link().CommErrorCount = 2;
  link().Timer6Timer(link().Timer6);
  EXPECT_EQ(link().CommErrorCount, 2);
}

TEST_F(LinkTest, AnAnsweredRequestClearsTheFailureCount) {
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).Times(2));
  Request(CMD_ADC_INFO);
  EXPECT_EQ(link().CommErrorCount, 1);
  RequestAnswered(CMD_ADC_INFO);
  EXPECT_EQ(link().CommErrorCount, 0);
  EXPECT_EQ(link().TransferFailed, 0);
}

TEST_F(LinkTest, ASendOnlyRequestIsNeverRepeated) {
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).Times(kForever));
  EXPECT_TRUE(Request(CMD_RESET_LOAD_COUNTER, {}, 0));
  // Nothing is awaited: wait for the device to have taken it.
  ASSERT_TRUE(PumpUntil([&] { return Received().size() == 1; }));
  EXPECT_EQ(link().CommErrorCount, 0);
  // The reset resets the link after sending: nothing stays queued.
  ASSERT_TRUE(link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1));
  const uint8_t soft[] = {1};
  ASSERT_TRUE(link().QueueRequest(1, CMD_RESET, soft, 1, 0, 0));
  link().WaitUntilIdle();
  EXPECT_EQ(link().PendingCount, 0);
  ASSERT_TRUE(PumpUntil([&] { return Received().size() == 2; }));
  EXPECT_EQ(ReceivedCommands(), (std::vector<int>{CMD_RESET_LOAD_COUNTER, CMD_RESET}));
}

TEST_F(LinkTest, AReplyWithABadChecksumMakesTheSameTelegramGoOutAgain) {
  sim_.InjectFault(1, Fault(FaultKind::WrongChecksum).On(CMD_READ_CLOCK));
  link().DeviceClock.fill(0xEE);
  EXPECT_TRUE(RequestAnswered(CMD_READ_CLOCK));
  const auto frames = Received();
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0], frames[1]);
  EXPECT_EQ(link().TransferFailed, 0);
  EXPECT_NE(link().DeviceClock[5], 0xEE);
}

TEST_F(LinkTest, AReplyInThePortWhenTheTimeOutComesFirstStillAnswers) {
  // A loaded machine may run the time-out's event before the port's: the
  // reply is in the port by then, so the request has its answer.
  bool timedOut = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (link().Phase() != TForm1::LinkPhase::AwaitingReply) return;
    watch.stop();
    // Held here, without events, until the whole reply is in the port.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (link().ComPort1->InputCount() < 9 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::yield();
    link().Timer2Timer(link().Timer2);
    timedOut = true;
  });
  watch.start(0);
  // The reply comes after the pause behind the send; the patient time-out runs only here.
  sim_.InjectFault(1, Fault(FaultKind::Delay).DelayMs(150).On(CMD_ADC_INFO));
  link().AdcConversionMode = 7;
  EXPECT_TRUE(RequestAnswered(CMD_ADC_INFO));
  ASSERT_TRUE(timedOut);
  EXPECT_EQ(Received().size(), 1u);
  EXPECT_EQ(link().TransferFailed, 0);
  EXPECT_EQ(link().AdcConversionMode, 0);
}

TEST_F(LinkTest, ALeastAnswerTimeoutLetsALateReplyAnswerItsFirstTry) {
  // 300 ms of real time is 3 s of program time: far beyond the command's own
  // time-out, well within the least one.
  link().LeastAnswerTimeout = [](int address, const RequestEntry& request) {
    return address == 1 && request.Command() == CMD_ADC_INFO ? 60000 : 0;
  };
  sim_.InjectFault(1, Fault(FaultKind::Delay).DelayMs(300).On(CMD_ADC_INFO));
  link().AdcConversionMode = 7;
  EXPECT_TRUE(Request(CMD_ADC_INFO));
  EXPECT_EQ(Received().size(), 1u);
  EXPECT_EQ(link().TransferFailed, 0);
  EXPECT_EQ(link().AdcConversionMode, 0);
}

TEST_F(LinkTest, ChecksumMismatchesAreCountedPerRequestAndTwoFailIt) {
  // One mismatch each for two requests: both recover.
  sim_.InjectFault(1, Fault(FaultKind::WrongChecksum).On(CMD_ADC_INFO));
  RequestAnswered(CMD_ADC_INFO);
  EXPECT_EQ(link().TransferFailed, 0);
  sim_.InjectFault(1, Fault(FaultKind::WrongChecksum).On(CMD_ADC_STATE));
  link().AdcFunctionState = 9;
  RequestAnswered(CMD_ADC_STATE);
  EXPECT_EQ(link().TransferFailed, 0);
  EXPECT_EQ(link().AdcFunctionState, 0);
  // Two mismatches for one request: it fails, and its field keeps its value.
  sim_.Log().Clear();
  sim_.InjectFault(1, Fault(FaultKind::WrongChecksum).On(CMD_ADC_STATE).Times(2));
  link().AdcFunctionState = 9;
  RequestAnswered(CMD_ADC_STATE);
  EXPECT_EQ(Received().size(), 2u);
  EXPECT_EQ(link().TransferFailed, 1);
  EXPECT_EQ(link().AdcFunctionState, 9);
}

TEST_F(LinkTest, RepliesForAnotherCommandEndTheRequestAfterOneMoreSend) {
  sim_.InjectFault(1, Fault(FaultKind::WrongCommand).ReplyCommand(CMD_ADC_STATE).On(CMD_ADC_INFO).Times(kForever));
  EXPECT_TRUE(RequestAnswered(CMD_ADC_INFO));
  EXPECT_EQ(Received().size(), 2u);
  EXPECT_EQ(link().TransferFailed, 1);
  // A single wrong reply: the request goes out again and gets its answer.
  sim_.ClearFaults(1);
  sim_.Log().Clear();
  sim_.InjectFault(1, Fault(FaultKind::WrongCommand).ReplyCommand(CMD_ADC_STATE).On(CMD_ADC_INFO));
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.adcMode = 1; });
  EXPECT_TRUE(RequestAnswered(CMD_ADC_INFO));
  EXPECT_EQ(Received().size(), 2u);
  EXPECT_EQ(link().TransferFailed, 0);
  EXPECT_EQ(link().AdcConversionMode, 1);
}

TEST_F(LinkTest, ABusyDeviceIsAskedAgainForAtMostItsTimeLimit) {
  sim_.InjectFault(1, Fault(FaultKind::Busy).On(CMD_ADC_INFO));
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.adcMode = 1; });
  EXPECT_TRUE(RequestAnswered(CMD_ADC_INFO));
  EXPECT_EQ(Received().size(), 2u);
  EXPECT_EQ(link().AdcConversionMode, 1);
  EXPECT_EQ(link().TransferFailed, 0);

  sim_.Log().Clear();
  sim_.InjectFault(1, Fault(FaultKind::Busy).On(CMD_ADC_INFO).Times(kForever));
  const int64_t start = TForm1::NowMs();
  EXPECT_TRUE(RequestAnswered(CMD_ADC_INFO));
  EXPECT_GE(TForm1::ElapsedMs(start), BUSY_RETRY_LIMIT_MS);
  EXPECT_GE(Received().size(), 3u);
  EXPECT_EQ(link().TransferFailed, 1);
  EXPECT_EQ(link().PendingCount, 0);
}

TEST_F(LinkTest, AReplyWithCommandByte0x80AnswersTheZeroCalibration) {
  sim_.InjectFault(1, Fault(FaultKind::WrongCommand).ReplyCommand(0x00).On(CMD_CAL_ZERO));
  dialogs_.Answer(IDOK);
  EXPECT_TRUE(RequestAnswered(CMD_CAL_ZERO));
  EXPECT_EQ(Received().size(), 1u);
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "OK!");
  // Any other request with that reply resets the link.
  sim_.InjectFault(1, Fault(FaultKind::WrongCommand).ReplyCommand(0x00).On(CMD_ADC_INFO));
  link().QueueRequest(1, CMD_ADC_STATE, nullptr, 0, 0, 1);
  link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1);
  AwaitRepliesPatiently();
  link().WaitUntilIdle();
  // The other request was dropped.
  EXPECT_EQ(ReceivedCommands(), (std::vector<int>{CMD_CAL_ZERO, CMD_ADC_INFO}));
  EXPECT_EQ(link().PendingCount, 0);
}

// Presence replies come 5 ms apart, well inside the listening window.
class SearchTest : public LinkTest {
 protected:
  SearchTest() : LinkTest(devsim::SimOptions{devsim::Framing{}, std::chrono::milliseconds(5)}) {}
};

TEST_F(SearchTest, TheDeviceSearchListensAndMarksEveryAnsweringAddress) {
  sim_.AddDevice(3);
  sim_.AddDevice(16);
  ASSERT_TRUE(link().QueueRequest(ADDR_GLOBAL, CMD_SEARCH_DEVICES, nullptr, 0, 0, 0));
  EXPECT_TRUE(link().WaitUntilIdle());
  EXPECT_EQ(link().RequestQueues[1].Present, 1);
  EXPECT_EQ(link().RequestQueues[3].Present, 1);
  EXPECT_EQ(link().RequestQueues[16].Present, 1);
  EXPECT_EQ(link().RequestQueues[2].Present, 0);
  EXPECT_TRUE(Form9->PresenceBoxes[2]->Checked());
  EXPECT_TRUE(Form9->PresenceBoxes[15]->Checked());
  EXPECT_FALSE(Form9->PresenceBoxes[1]->Checked());
  EXPECT_FALSE(Form9->Label20->Visible());
  EXPECT_TRUE(Form9->Button18->Enabled());
  EXPECT_TRUE(Form9->SelectButtons[0]->Enabled());
}

TEST_F(LinkTest, WithCheckConnectAnAbsentAddressIsReportedOnceAndThenServed) {
  link().Options.check_connect = 1;
  link().RequestQueues[1].Present = 0;
  sim_.AddDevice(2);
  link().RequestQueues[2].Present = 1;
  dialogs_.Answer(IDOK);
  dialogs_.Answer(IDNO);
  ASSERT_TRUE(link().QueueRequest(2, CMD_ADC_STATE, nullptr, 0, 0, 1));
  ASSERT_TRUE(link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1));
  ASSERT_TRUE(link().QueueRequest(2, CMD_ADC_INFO, nullptr, 0, 0, 1));
  ASSERT_TRUE(link().QueueRequest(1, CMD_READ_CLOCK, nullptr, 0, 0, 1));
  AwaitRepliesPatiently();
  EXPECT_TRUE(link().WaitUntilIdle());
  ASSERT_EQ(dialogs_.Boxes().size(), 2u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Gerät (Adr: 1) nicht verbunden! -> Abbruch!");
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "HINWEIS");
  EXPECT_EQ(dialogs_.Boxes()[1].request.text, "Geräte suchen?");
  EXPECT_EQ(link().DeviceSearchOffered, 0);
  // Only the absent address's requests were dropped; address 2 was served in order.
  EXPECT_EQ(ReceivedCommands(), (std::vector<int>{CMD_ADC_INFO, CMD_ADC_STATE}));
  EXPECT_EQ(sim_.Log().Entries(devsim::Direction::Received)[0].bytes[1], 2);
  // The second request to the reported address is sent.
  sim_.Log().Clear();
  EXPECT_TRUE(RequestAnswered(CMD_ADC_INFO));
  EXPECT_EQ(ReceivedCommands(), (std::vector<int>{CMD_ADC_INFO}));
  EXPECT_EQ(dialogs_.Boxes().size(), 2u);
}

TEST_F(LinkTest, TheIdleTickClosesThePortUnlessTheTerminalKeepsItOpen) {
  Request(CMD_ADC_INFO);
  EXPECT_TRUE(PumpUntil([&] { return !link().ComPort1->Connected(); }));
  EXPECT_EQ(link().Label19->Caption(), "Close");
  EXPECT_EQ(link().Timer1->Interval(), 500);
  link().KeepPortOpen = 1;
  Request(CMD_ADC_INFO);
  EXPECT_EQ(link().Label19->Caption(), "Open");
  ASSERT_TRUE(PumpUntil([&] { return link().Timer1->Interval() == 500; }));  // an idle tick ran
  EXPECT_TRUE(link().ComPort1->Connected());
}

}  // namespace
