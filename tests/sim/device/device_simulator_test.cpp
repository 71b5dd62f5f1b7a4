// Fault injection, several devices on one line, framing options and the log.
#include "tests/sim/device/device_simulator.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <thread>

#include "tests/sim/device/protocol.h"
#include "tests/sim/device/pty_client.h"

namespace devsim {
namespace {

using namespace std::chrono_literals;

const Bytes kInfo{};  // CMD_ADC_INFO carries no data

struct FaultCase {
  const char* name;
  Fault fault;
  std::function<void(const Bytes& received, const Bytes& skipped)> check;  // bytes that arrived
};

TEST(DeviceSimulatorFaults, EachFaultModeShapesTheNextReply) {
  const Bytes good = EncodeReply(Reply{1, CMD_ADC_INFO | REPLY_FLAG, 0, 0, {0}}, Framing{});
  const std::vector<FaultCase> cases = {
      {"no answer", Fault(FaultKind::NoAnswer), [](const Bytes& r, const Bytes&) { EXPECT_TRUE(r.empty()); }},
      {"wrong checksum", Fault(FaultKind::WrongChecksum),
       [&](const Bytes& r, const Bytes&) {
         ASSERT_EQ(r.size(), good.size());
         EXPECT_FALSE(ParseReplyFrame(r)->checksumOk);
         EXPECT_EQ(Bytes(r.begin(), r.end() - 3), Bytes(good.begin(), good.end() - 3));
       }},
      {"wrong command", Fault(FaultKind::WrongCommand).ReplyCommand(0x00),
       [](const Bytes& r, const Bytes&) {
         const auto p = ParseReplyFrame(r);
         ASSERT_TRUE(p);
         EXPECT_EQ(p->command, 0x80);
         EXPECT_TRUE(p->checksumOk);
       }},
      {"error status", Fault(FaultKind::ErrorStatus),
       [](const Bytes& r, const Bytes&) {
         const auto p = ParseReplyFrame(r);
         ASSERT_TRUE(p);
         EXPECT_EQ(p->status, DEVICE_STATUS_ERROR);
         EXPECT_EQ(p->data, Bytes{0});
         EXPECT_TRUE(p->checksumOk);
       }},
      {"error mark", Fault(FaultKind::ErrorMark),
       [](const Bytes& r, const Bytes&) { EXPECT_EQ(ParseReplyFrame(r)->byte3, REPLY_ERROR_MARK); }},
      {"busy", Fault(FaultKind::Busy),
       [](const Bytes& r, const Bytes&) {
         const auto p = ParseReplyFrame(r);
         ASSERT_TRUE(p);
         EXPECT_TRUE(p->status & DEVICE_STATUS_ERROR);
         EXPECT_EQ(p->data, (Bytes{0x00, 0x05, 0xFF, 0xFF}));
       }},
      {"delay", Fault(FaultKind::Delay).DelayMs(300), [&](const Bytes& r, const Bytes&) { EXPECT_EQ(r, good); }},
      {"garbage before STX", Fault(FaultKind::Garbage).Bytes({0x55, 0x00, 0xAA}),
       [&](const Bytes& r, const Bytes& skipped) {
         EXPECT_EQ(skipped, (Bytes{0x55, 0x00, 0xAA}));
         EXPECT_EQ(r, good);
       }},
      {"cut short", Fault(FaultKind::CutShort).Cut(4),
       [&](const Bytes& r, const Bytes&) { EXPECT_EQ(r, Bytes(good.begin(), good.end() - 4)); }},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    DeviceSimulator sim;
    sim.AddDevice(1);
    sim.InjectFault(1, c.fault);
    PtyClient client(sim.SlavePath());
    client.Write(EncodeRequest(1, CMD_ADC_INFO, kInfo, Framing{}));
    Bytes skipped;
    Bytes received;
    if (c.fault.kind == FaultKind::NoAnswer || c.fault.kind == FaultKind::CutShort) {
      received = client.ReadUntilQuiet(300ms, 5s);
    } else {
      received = client.ReadFrame(5s, &skipped).value_or(Bytes{});
    }
    c.check(received, skipped);
    // The fault was for one request: the next is answered normally.
    const auto next = client.Transact(1, CMD_ADC_INFO, kInfo);
    ASSERT_TRUE(next.has_value());
    EXPECT_TRUE(next->checksumOk);
    EXPECT_EQ(next->command, CMD_ADC_INFO | REPLY_FLAG);
    EXPECT_EQ(next->status, 0);
  }
}

TEST(DeviceSimulatorFaults, DelayedReplyComesAfterTheDelay) {
  DeviceSimulator sim;
  sim.AddDevice(1);
  sim.InjectFault(1, Fault(FaultKind::Delay).DelayMs(400));
  PtyClient client(sim.SlavePath());
  client.Write(EncodeRequest(1, CMD_ADC_INFO, kInfo, Framing{}));
  ASSERT_TRUE(client.ReadFrame(5s).has_value());
  const auto received = sim.Log().Entries(Direction::Received);
  const auto sent = sim.Log().Entries(Direction::Sent);
  ASSERT_EQ(received.size(), 1u);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_GE(sent[0].time - received[0].time, 400ms);
}

TEST(DeviceSimulatorFaults, FaultsPerCommandAndForSeveralRequests) {
  DeviceSimulator sim;
  sim.AddDevice(1);
  sim.InjectFault(1, Fault(FaultKind::Busy).On(CMD_BLOCK_READ).Times(3));
  PtyClient client(sim.SlavePath());
  // Another command passes untouched and leaves the fault's count alone.
  EXPECT_EQ(client.Transact(1, CMD_ADC_INFO, kInfo)->status, 0);
  for (int i = 0; i < 3; ++i) {
    const auto busy = client.Transact(1, CMD_BLOCK_READ, {0, 0, 0, 0, 1});
    ASSERT_TRUE(busy);
    EXPECT_EQ(busy->data, (Bytes{0x00, 0x05, 0xFF, 0xFF})) << i;
  }
  EXPECT_EQ(client.Transact(1, CMD_BLOCK_READ, {0, 0, 0, 0, 1})->data, (Bytes{0x00}));

  sim.InjectFault(1, Fault(FaultKind::ErrorStatus).Times(kForever));
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(client.Transact(1, CMD_ADC_INFO, kInfo)->status & DEVICE_STATUS_ERROR);
  sim.ClearFaults(1);
  EXPECT_EQ(client.Transact(1, CMD_ADC_INFO, kInfo)->status, 0);
}

TEST(DeviceSimulatorFaults, AFaultForOneSubCommandLeavesTheOthersAlone) {
  DeviceSimulator sim;
  sim.AddDevice(1);
  sim.InjectFault(1, Fault(FaultKind::ErrorStatus).On(CMD_READ_WEIGHT).WithFirstData(0x14));
  PtyClient client(sim.SlavePath());
  EXPECT_EQ(client.Transact(1, CMD_READ_WEIGHT, {0x0A})->status & DEVICE_STATUS_ERROR, 0);
  EXPECT_NE(client.Transact(1, CMD_READ_WEIGHT, {0x14})->status & DEVICE_STATUS_ERROR, 0);
  EXPECT_EQ(client.Transact(1, CMD_READ_WEIGHT, {0x14})->status & DEVICE_STATUS_ERROR, 0);
}

TEST(DeviceSimulatorFaults, NoAnswerLeavesTheModelAlone) {
  DeviceSimulator sim;
  sim.AddDevice(1);
  sim.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_BLOCK_WRITE));
  PtyClient client(sim.SlavePath());
  client.Write(EncodeRequest(1, CMD_BLOCK_WRITE, Bytes{0, 0x10, 0, 0, 1, 0x33}, Framing{}));
  ASSERT_TRUE(sim.Log().WaitFor([](const auto& log) { return log.size() == 1; }, 5s));
  EXPECT_EQ(client.Transact(1, CMD_BLOCK_READ, {0, 0x10, 0, 0, 1})->data, (Bytes{0x00}));
}

struct PromptCase {
  const char* name;
  std::optional<Fault> fault;
  std::uint8_t command;
  std::optional<std::uint8_t> firstData;
  bool prompt;
};

TEST(DeviceSimulatorFaults, AReplyIsPromptOnlyWhenNoFaultSilencesDelaysOrSpoilsIt) {
  const std::vector<PromptCase> cases = {
      {"no fault", std::nullopt, CMD_ADC_INFO, std::nullopt, true},
      {"no answer", Fault(FaultKind::NoAnswer), CMD_ADC_INFO, std::nullopt, false},
      {"no answer to another command", Fault(FaultKind::NoAnswer).On(CMD_ADC_STATE), CMD_ADC_INFO, std::nullopt, true},
      {"no answer to another sub-command", Fault(FaultKind::NoAnswer).On(CMD_READ_WEIGHT).WithFirstData(0x14),
       CMD_READ_WEIGHT, 0x0A, true},
      {"no answer to this sub-command", Fault(FaultKind::NoAnswer).On(CMD_READ_WEIGHT).WithFirstData(0x14),
       CMD_READ_WEIGHT, 0x14, false},
      {"delay", Fault(FaultKind::Delay).DelayMs(100), CMD_ADC_INFO, std::nullopt, false},
      {"cut short", Fault(FaultKind::CutShort), CMD_ADC_INFO, std::nullopt, false},
      {"wrong checksum", Fault(FaultKind::WrongChecksum), CMD_ADC_INFO, std::nullopt, false},
      {"garbage", Fault(FaultKind::Garbage), CMD_ADC_INFO, std::nullopt, false},
      {"error status", Fault(FaultKind::ErrorStatus), CMD_ADC_INFO, std::nullopt, true},
      {"error mark", Fault(FaultKind::ErrorMark), CMD_ADC_INFO, std::nullopt, true},
      {"busy", Fault(FaultKind::Busy), CMD_ADC_INFO, std::nullopt, true},
      {"reset with a data byte", std::nullopt, CMD_RESET, 0x01, false},
  };
  for (const PromptCase& c : cases) {
    SCOPED_TRACE(c.name);
    DeviceSimulator sim;
    sim.AddDevice(1);
    if (c.fault) sim.InjectFault(1, *c.fault);
    EXPECT_EQ(sim.AnswersPromptly(1, c.command, c.firstData), c.prompt);
    EXPECT_FALSE(sim.AnswersPromptly(2, c.command, c.firstData)) << "no device at address 2";
  }
}

TEST(DeviceSimulatorFaults, ARestartingDeviceIsNotPromptAndAUsedFaultNoLongerCounts) {
  DeviceSimulator sim;
  DeviceModel model;
  model.restartSilenceMs = 60000;
  sim.AddDevice(1, model);
  sim.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_ADC_INFO));
  PtyClient client(sim.SlavePath());
  client.Write(EncodeRequest(1, CMD_ADC_INFO, kInfo, Framing{}));
  ASSERT_TRUE(sim.Log().WaitFor([](const auto& log) { return log.size() == 1; }, 5s));
  EXPECT_TRUE(sim.AnswersPromptly(1, CMD_ADC_INFO, std::nullopt));
  ASSERT_TRUE(client.Transact(1, CMD_RESET, {}).has_value());
  EXPECT_FALSE(sim.AnswersPromptly(1, CMD_ADC_INFO, std::nullopt));
}

TEST(DeviceSimulatorRestart, TheDeviceStartsWithTheChannelsAndAdcModeOfItsSetup) {
  DeviceSimulator sim;
  sim.AddDevice(1, DemoDevice(1));
  PtyClient client(sim.SlavePath());
  auto write = [&](int offset, std::uint8_t value) {
    const int at = SETUP_BASE_1 + offset;
    ASSERT_TRUE(client.Transact(1, CMD_BLOCK_WRITE,
                                {static_cast<std::uint8_t>(at >> 8), static_cast<std::uint8_t>(at), 0, 0, 1, value})
                    .has_value());
  };
  // Channel 2 off, rate 6: answers change only with the restart.
  write(SETUP_CHANNELS_OFFSET, 1);
  write(SETUP_ADC_MODE_OFFSET, 0);
  write(SETUP_RATE_OFFSET, 6);
  EXPECT_EQ(client.Transact(1, CMD_ADC_INFO, kInfo).value().data, (Bytes{1}));
  ASSERT_TRUE(client.Transact(1, CMD_RESET, {}).has_value());
  EXPECT_EQ(client.Transact(1, CMD_ADC_INFO, kInfo).value().data, (Bytes{0}));
  const Bytes settings = client.Transact(1, CMD_CAL_SETTINGS, {1}).value().data;
  ASSERT_EQ(settings.size(), 5u);
  EXPECT_EQ(settings[2], 6);
  EXPECT_EQ(settings[4], 1);
  // A set-up that names no channel count leaves the device as it was.
  write(SETUP_CHANNELS_OFFSET, 0);
  write(SETUP_ADC_MODE_OFFSET, 1);
  ASSERT_TRUE(client.Transact(1, CMD_RESET, {}).has_value());
  EXPECT_EQ(client.Transact(1, CMD_ADC_INFO, kInfo).value().data, (Bytes{0}));
  EXPECT_EQ(client.Transact(1, CMD_CAL_SETTINGS, {1}).value().data.at(4), 1);
}

TEST(DeviceSimulatorBus, SearchIsAnsweredByEveryDeviceInItsOwnFrame) {
  DeviceSimulator sim;
  for (int address : {3, 7, 12}) sim.AddDevice(address);
  PtyClient client(sim.SlavePath());
  client.Write(EncodeRequest(ADDR_GLOBAL, CMD_SEARCH_DEVICES, {}, Framing{}));
  std::vector<int> present;
  for (int i = 0; i < 3; ++i) {
    const auto frame = client.ReadFrame(5s);
    ASSERT_TRUE(frame.has_value());
    const auto reply = ParseReplyFrame(*frame);
    ASSERT_TRUE(reply);
    EXPECT_TRUE(reply->checksumOk);
    EXPECT_EQ(reply->command, PRESENCE_REPLY);
    present.push_back(reply->address);
  }
  EXPECT_EQ(present, (std::vector<int>{3, 7, 12}));
  const auto sent = sim.Log().Entries(Direction::Sent);
  ASSERT_EQ(sent.size(), 3u) << "one write per presence reply";
  for (std::size_t i = 1; i < sent.size(); ++i) EXPECT_GT(sent[i].time, sent[i - 1].time);
}

TEST(DeviceSimulatorBus, OnlyTheAddressedDeviceAnswers) {
  DeviceSimulator sim;
  DeviceModel second;
  second.variant = 33;
  sim.AddDevice(1);
  sim.AddDevice(2, second);
  PtyClient client(sim.SlavePath());
  const auto one = client.Transact(1, CMD_IDENT_DATA, {1, 3});
  const auto two = client.Transact(2, CMD_IDENT_DATA, {1, 3});
  ASSERT_TRUE(one && two);
  EXPECT_EQ(one->address, 1);
  EXPECT_EQ(one->data, (Bytes{21}));
  EXPECT_EQ(two->address, 2);
  EXPECT_EQ(two->data, (Bytes{33}));
  client.Write(EncodeRequest(5, CMD_IDENT_DATA, Bytes{1, 3}, Framing{}));
  EXPECT_TRUE(client.ReadUntilQuiet(300ms, 2s).empty()) << "no device at address 5";
  // A fault of one device does not touch the other.
  sim.InjectFault(1, Fault(FaultKind::NoAnswer).Times(kForever));
  EXPECT_TRUE(client.Transact(2, CMD_ADC_INFO, kInfo).has_value());
}

TEST(DeviceSimulatorLine, RequestInPiecesWithGarbageInFrontIsAnsweredOnce) {
  DeviceSimulator sim;
  sim.AddDevice(1);
  PtyClient client(sim.SlavePath());
  const Bytes request = EncodeRequest(1, CMD_READ_WEIGHT, Bytes{0, 1}, Framing{});
  client.Write({0xAA, 0x00});
  client.Write(Bytes(request.begin(), request.end() - 3));
  client.Write(Bytes(request.end() - 3, request.end() - 1));
  client.Write(Bytes(request.end() - 1, request.end()));
  const auto reply = client.ReadFrame(5s);
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ(ParseReplyFrame(*reply)->command, CMD_READ_WEIGHT | REPLY_FLAG);
  const auto received = sim.Log().Entries(Direction::Received);
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].bytes, request);
  EXPECT_EQ(sim.Log().Entries(Direction::Discarded)[0].bytes, (Bytes{0xAA, 0x00}));
}

TEST(DeviceSimulatorLine, RequestWithBadChecksumIsLoggedAndNotAnswered) {
  DeviceSimulator sim;
  sim.AddDevice(1);
  PtyClient client(sim.SlavePath());
  Bytes request = EncodeRequest(1, CMD_ADC_INFO, kInfo, Framing{});
  request[7] ^= 0x01;
  client.Write(request);
  EXPECT_TRUE(client.ReadUntilQuiet(300ms, 2s).empty());
  const auto received = sim.Log().Entries(Direction::Received);
  ASSERT_EQ(received.size(), 1u);
  EXPECT_FALSE(received[0].valid);
}

TEST(DeviceSimulatorLine, FramingWithoutStxEtxOrChecksum) {
  for (const Framing framing : {Framing{false, true}, Framing{true, false}, Framing{false, false}}) {
    SCOPED_TRACE(testing::Message() << "stx_etx " << framing.stxEtx << " csum " << framing.checksum);
    DeviceSimulator sim(SimOptions{.framing = framing});
    sim.AddDevice(1);
    PtyClient client(sim.SlavePath());
    client.Write(EncodeRequest(1, CMD_IDENT_DATA, Bytes{1, 3}, framing));
    const Bytes expected = EncodeReply(Reply{1, CMD_IDENT_DATA | REPLY_FLAG, 0, 0, {21}}, framing);
    EXPECT_EQ(client.ReadBytes(expected.size(), 5s), expected);
  }
}

TEST(DeviceSimulatorLog, ReadableFromAnotherThreadWhileServing) {
  DeviceSimulator sim;
  sim.AddDevice(1);
  std::atomic<bool> done{false};
  std::atomic<std::size_t> seen{0};
  std::thread reader([&] {
    while (!done) seen = std::max<std::size_t>(seen, sim.Log().Entries().size());
  });
  PtyClient client(sim.SlavePath());
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(client.Transact(1, CMD_ADC_INFO, kInfo).has_value());
  done = true;
  reader.join();
  const auto log = sim.Log().Entries();
  ASSERT_EQ(log.size(), 40u);
  for (std::size_t i = 0; i < log.size(); ++i) {
    EXPECT_EQ(log[i].direction, i % 2 == 0 ? Direction::Received : Direction::Sent);
    if (i > 0) {
      EXPECT_GE(log[i].time, log[i - 1].time);
    }
  }
  EXPECT_LE(seen.load(), 40u);
  sim.Log().Clear();
  EXPECT_TRUE(sim.Log().Entries().empty());
}

TEST(DeviceSimulatorLine, PortClosedAndReopenedBetweenTelegrams) {
  // The program closes and re-opens its port for every telegram.
  DeviceSimulator sim;
  sim.AddDevice(1);
  for (int i = 0; i < 3; ++i) {
    PtyClient client(sim.SlavePath());
    const auto reply = client.Transact(1, CMD_ADC_INFO, kInfo);
    ASSERT_TRUE(reply.has_value()) << i;
  }
}

}  // namespace
}  // namespace devsim
