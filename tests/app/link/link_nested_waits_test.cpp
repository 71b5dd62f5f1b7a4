// A handler that queues a request and waits while another handler's request
// is on its way: each gets its own request's answer, and the requests go
// out one transaction at a time, the newest pending first.
#include <optional>
#include <string>

#include "app/link/link_utilities.h"
#include "tests/app/link/click_at.h"
#include "tests/app/link/link_fixture.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;
using devsim::kForever;
using Phase = TForm1::LinkPhase;

// What a handler saw when its wait returned.
struct Seen {
  bool waited = false;
  int transferFailed = -1;
  uint8_t replyCommand = 0;
  uint32_t value = 0;  // the first four answer bytes
};

struct Ask {
  uint8_t command;
  uint8_t data;
};

// Where the first handler's request stands when the click arrives.
enum class Moment { BeforeItsSend, InThePauseAfterItsSend, InItsReplyWait };

struct Case {
  std::string name;
  Moment moment;
  std::vector<Fault> faults;
  Ask click;
  std::vector<Ask> wire;  // requests the device receives, in order
  bool firstFails;
  bool clickFails;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

constexpr uint32_t kFirstRegister = 0x11223344;  // register 2
constexpr uint32_t kClickRegister = 0x55667788;  // register 5
// A late answer: inside the reply wait of a register read (3000 ms), well after the pause.
constexpr int kLateMs = 150;

class NestedWaitTest : public LinkTest, public ::testing::WithParamInterface<Case> {
 protected:
  void SetUp() override {
    LinkTest::SetUp();
    sim_.WithDevice(1, [](devsim::DeviceModel& m) {
      m.adcRegisters[2] = kFirstRegister;
      m.adcRegisters[5] = kClickRegister;
    });
    for (const Fault& f : GetParam().faults) sim_.InjectFault(1, f);
  }

  // A handler: queues one request, waits, and notes what it sees then.
  Seen Handle(Ask r) {
    link().QueueRequest(link().DeviceAddress, r.command, &r.data, 1, 0, 1);
    Seen seen;
    seen.waited = link().WaitUntilIdle();
    seen.transferFailed = link().TransferFailed;
    seen.replyCommand = link().ReplyBuffer[2];
    seen.value = ReadBe32(std::span<const uint8_t>(link().ReplyBuffer).subspan(5, 4));
    return seen;
  }

  bool AtMoment(Moment moment) {
    switch (moment) {
      case Moment::BeforeItsSend:
        return link().PendingCount == 1 && link().Phase() == Phase::Idle && sim_.Log().Entries().empty();
      case Moment::InThePauseAfterItsSend:
        return link().Phase() == Phase::Pausing && !Received().empty();
      case Moment::InItsReplyWait:
        return link().Phase() == Phase::AwaitingReply;
    }
    return false;
  }
};

TEST_P(NestedWaitTest, EachHandlerGetsItsOwnAnswer) {
  const Case& c = GetParam();
  std::optional<Seen> clicked;
  std::optional<Phase> phaseAtClick;
  ClickAt click([&] { return AtMoment(c.moment); },
                [&] {
                  phaseAtClick = link().Phase();
                  clicked = Handle(c.click);
                });
  const Seen first = Handle({CMD_ADC_REG_READ, 2});
  ASSERT_TRUE(click.Done()) << "the click did not come while the first request was in progress";

  std::vector<std::pair<int, int>> wire;
  for (const auto& f : Received()) wire.emplace_back(f[3], f[6]);
  std::vector<std::pair<int, int>> expected;
  for (const Ask& r : c.wire) expected.emplace_back(r.command, r.data);
  EXPECT_EQ(wire, expected);
  EXPECT_EQ(link().PendingCount, 0);

  EXPECT_TRUE(first.waited);
  EXPECT_EQ(first.transferFailed, c.firstFails ? 1 : 0);
  if (!c.firstFails) {
    EXPECT_EQ(first.replyCommand, CMD_ADC_REG_READ | REPLY_FLAG);
    EXPECT_EQ(first.value, kFirstRegister);
  }
  ASSERT_TRUE(clicked.has_value());
  EXPECT_TRUE(clicked->waited);
  EXPECT_EQ(clicked->transferFailed, c.clickFails ? 1 : 0);
  if (!c.clickFails) {
    EXPECT_EQ(clicked->replyCommand, c.click.command | REPLY_FLAG);
    EXPECT_EQ(clicked->value, kClickRegister);
  }
}

const Ask kFirst{CMD_ADC_REG_READ, 2};
const Ask kClick{CMD_ADC_REG_READ, 5};
const Ask kClock{CMD_READ_CLOCK, 0};

INSTANTIATE_TEST_SUITE_P(
    Clicks, NestedWaitTest,
    ::testing::Values(
        Case{"InThePauseAfterASend", Moment::InThePauseAfterItsSend, {}, kClick, {kFirst, kClick}, false, false},
        Case{"InAReplyWait",
             Moment::InItsReplyWait,
             {Fault(FaultKind::Delay).DelayMs(kLateMs).On(CMD_ADC_REG_READ)},
             kClick,
             {kFirst, kClick},
             false,
             false},
        Case{"BeforeTheFirstRequestWentOut", Moment::BeforeItsSend, {}, kClick, {kClick, kFirst}, false, false},
        Case{"WhoseRequestGoesUnanswered",
             Moment::InItsReplyWait,
             {Fault(FaultKind::Delay).DelayMs(kLateMs).On(CMD_ADC_REG_READ),
              Fault(FaultKind::NoAnswer).On(CMD_READ_CLOCK).Times(kForever)},
             kClock,
             {kFirst, kClock, kClock},
             false,
             true},
        Case{"WhileTheFirstRequestGoesUnanswered",
             Moment::InThePauseAfterItsSend,
             {Fault(FaultKind::NoAnswer).On(CMD_ADC_REG_READ).Times(2)},
             kClick,
             {kFirst, kFirst, kClick},
             true,
             false}),
    [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
