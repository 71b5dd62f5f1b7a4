// The value stream on the line: every value taken in order however the port
// hands the frames over, the display's texts paced to the screen, and the
// replies that come amid stream frames while the stream starts and stops.
#include <numeric>
#include <vector>

#include "tests/app/link/link_fixture.h"

namespace {

using devsim::Bytes;

Bytes Frames(int32_t first, int count) {
  Bytes line;
  for (int32_t v = first; v < first + count; ++v) {
    const Bytes frame = devsim::EncodeStreamFrame(v);
    line.insert(line.end(), frame.begin(), frame.end());
  }
  return line;
}

std::vector<int32_t> Range(int32_t first, int count) {
  std::vector<int32_t> values(static_cast<size_t>(count));
  std::iota(values.begin(), values.end(), first);
  return values;
}

// Stream frames whose bytes, framed as replies, make a reply of address 200
// that ends in ETX.
constexpr int32_t kReplyLikeValue = 0x0002C804;

class StreamTest : public LinkTest {
 protected:
  StreamTest() = default;
  explicit StreamTest(double scale) : LinkTest(devsim::SimOptions{}, scale) {}

  // The reception as the answer to the stream's start leaves it; the device
  // itself stays silent, and the test puts the frames on the line.
  void TakeStreamFrames() {
    link().Options.sdcont = 1;
    link().StreamIndex = 0;
    link().Timer1->SetEnabled(false);
    link().ComPort1->Open();
  }
  std::vector<int32_t> Values() {
    return {link().StreamRing.begin(), link().StreamRing.begin() + link().StreamIndex};
  }
};

TEST_F(StreamTest, ManyFramesInOneReadAreAllTakenInOrder) {
  TakeStreamFrames();
  link().RS232Daten1->SetChecked(true);
  std::vector<int> reads;
  link().ComPort1->OnRxData = [&](const unsigned char*, int count) { reads.push_back(count); };
  // Fifty frames wait in the port, and come out with the next one.
  link().ReceiveDisabled = 1;
  sim_.SendRaw(Frames(1, 50));
  ASSERT_TRUE(PumpUntil([&] { return link().ComPort1->InputCount() == 300; }));
  link().ReceiveDisabled = 0;
  sim_.SendRaw(Frames(51, 1));
  ASSERT_TRUE(PumpUntil([&] { return link().StreamIndex == 51; }));
  EXPECT_EQ(Values(), Range(1, 51));
  ASSERT_FALSE(reads.empty());
  EXPECT_GE(reads.front(), 300) << "one read took the waiting frames";
  // The reply field shows the newest frame.
  ASSERT_TRUE(PumpUntil([&] { return link().Edit1->Text() == HexTraceLine(Frames(51, 1)); }));
}

TEST_F(StreamTest, AFrameSplitBetweenTwoBatchesIsJoined) {
  TakeStreamFrames();
  const Bytes line = Frames(1, 3);
  sim_.SendRaw(Bytes(line.begin(), line.begin() + 9));  // the first frame and half the second
  ASSERT_TRUE(PumpUntil([&] { return link().StreamIndex == 1 && link().RxCount == 3; }));
  EXPECT_EQ(link().RxStxSeen, 1);
  sim_.SendRaw(Bytes(line.begin() + 9, line.end()));
  ASSERT_TRUE(PumpUntil([&] { return link().StreamIndex == 3; }));
  EXPECT_EQ(Values(), Range(1, 3));
  EXPECT_EQ(link().RxCount, 0);
}

TEST_F(StreamTest, StreamFramesAroundTheStartAndTheStopNeverPassForReplies) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.streamValue = kReplyLikeValue;
    m.streamStep = 0;
    m.streamIntervalMs = 2;
    m.adcMode = 1;
  });
  // The device's frames follow its answer to the start at once.
  ASSERT_TRUE(Request(CMD_VALUE_STREAM, {1, 0}));
  EXPECT_EQ(link().TransferFailed, 0);
  EXPECT_EQ(link().Options.sdcont, 1) << "the answer to the start was handled";
  link().Timer1->SetEnabled(false);
  ASSERT_TRUE(PumpUntil([&] { return link().StreamIndex >= 3; }));
  for (int32_t v : Values()) EXPECT_EQ(v, kReplyLikeValue);

  // Switched off, the stream runs on in the device until it takes the stop:
  // a request that goes out first is answered amid the frames.
  link().Options.sdcont = 0;
  ASSERT_TRUE(Request(CMD_ADC_INFO));
  EXPECT_EQ(link().TransferFailed, 0);
  EXPECT_EQ(link().AdcConversionMode, 1);
  EXPECT_TRUE(sim_.Model(1).streamRunning);
  ASSERT_TRUE(Request(CMD_VALUE_STREAM, {0, 0}, 0));
  ASSERT_TRUE(PumpUntil([&] { return !sim_.Model(1).streamRunning; }));
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.adcMode = 0; });
  ASSERT_TRUE(Request(CMD_ADC_INFO));
  EXPECT_EQ(link().TransferFailed, 0);
  EXPECT_EQ(link().AdcConversionMode, 0);
}

// A program clock a thousand times slower than the real one: a batch of the
// port lasts 100 s and a display frame 40 s, longer than any test run, so
// only the display tick ends a batch.
class SlowClockStreamTest : public StreamTest {
 protected:
  SlowClockStreamTest() : StreamTest(1000.0) {}
  int GraphNewest() { return Form10->PerformanceGraph1->Points().back().value; }
};

TEST_F(SlowClockStreamTest, TheDisplayTickTakesWhatThePortHoldsBackAndItsTextsChangeOnceAFrame) {
  TakeStreamFrames();
  link().Options.sdcont_avg = 0;
  sim_.SendRaw(Frames(10, 1));
  ASSERT_TRUE(PumpUntil([&] { return link().StreamIndex == 1; })) << "the first frame after a quiet spell";
  // The port holds the next frame back for its batch.
  sim_.SendRaw(Frames(20, 1));
  ASSERT_TRUE(PumpUntil([&] { return link().ComPort1->InputCount() == 6; }));
  EXPECT_EQ(link().StreamIndex, 1);
  link().Timer3Timer(nullptr);
  EXPECT_EQ(Values(), (std::vector<int32_t>{10, 20}));
  EXPECT_EQ(GraphNewest(), 20);
  EXPECT_EQ(Form10->Label4->Caption(), "20");
  EXPECT_EQ(link().StatusBar1->Panel(7).Text, "2");

  // Within the frame each tick adds its point; the texts wait.
  sim_.SendRaw(Frames(30, 1));
  ASSERT_TRUE(PumpUntil([&] { return link().ComPort1->InputCount() == 6; }));
  link().Timer3Timer(nullptr);
  EXPECT_EQ(GraphNewest(), 30);
  EXPECT_EQ(Form10->Label4->Caption(), "20");
  // Stopping the display shows the last reading before the ring index goes.
  link().StopContinuousOutput(0);
  EXPECT_EQ(Form10->Label4->Caption(), "30");
  EXPECT_EQ(link().StatusBar1->Panel(7).Text, "");
}

}  // namespace
