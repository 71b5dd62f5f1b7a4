// What a tick of the value-stream display shows and takes from the ring.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "app/link/stream_display.h"

namespace {

TEST(StreamDisplay, TicksTakeTheNewestHalfOrShowTheNewestValue) {
  struct Case {
    const char* name;
    std::vector<int32_t> ring;
    int index;
    int averaging;
    int32_t value;
    int indexAfter;
  };
  const Case cases[] = {
      // Ten waiting values: the five newest (6..10) are averaged, five stay.
      {"ten averaged", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 99}, 10, 1, 8, 5},
      {"one averaged", {42, 7}, 1, 1, 42, 0},
      {"three averaged", {10, 20, 31}, 3, 1, 25, 1},
      {"mean truncated toward zero", {0, -3, -4}, 3, 1, -3, 1},
      {"empty ring averaged", {5, 6}, 0, 1, 0, 0},
      {"newest without averaging", {5, 6, 7}, 2, 0, 6, 2},
      {"empty ring without averaging", {5}, 0, 0, 0, 0},
      {"another mode shows 0", {5, 6}, 2, 3, 0, 2},
      {"large counts do not overflow", {2000000000, 2000000000, 2000000000}, 3, 1, 2000000000, 1},
      {"an index beyond the ring is bounded", {1, 2}, 9, 0, 2, 2},
  };
  for (const Case& c : cases) {
    const StreamReading r = TakeStreamValue(c.ring, c.index, c.averaging);
    EXPECT_EQ(r.value, c.value) << c.name;
    EXPECT_EQ(r.index, c.indexAfter) << c.name;
  }
}

TEST(StreamDisplay, MillivoltPerVoltBetweenTheCalibrationPoints) {
  auto shown = [](int32_t value, float null, float end) {
    char text[32];
    std::snprintf(text, sizeof text, "%.5f", static_cast<double>(MillivoltPerVolt(value, null, end)));
    return std::string(text);
  };
  EXPECT_EQ(shown(1000000, 0.0f, 2.0f), "1.00000");
  EXPECT_EQ(shown(0, 0.0f, 2.0f), "0.00000");
  EXPECT_EQ(shown(0, 0.25f, 2.0f), "0.25000");
  EXPECT_EQ(shown(-500000, 0.0f, 2.0f), "-0.50000");
  EXPECT_EQ(shown(2000000, 1.0f, 3.0f), "3.00000");
}

TEST(DisplayPacer, WritesAtOnceWhenAFrameHasPassedElseWaitsForTheFrameToEnd) {
  DisplayPacer pacer(40);
  EXPECT_EQ(pacer.WaitBefore(1000), 0);  // nothing written yet
  pacer.Written(1000);
  EXPECT_EQ(pacer.WaitBefore(1000), 40);
  EXPECT_EQ(pacer.WaitBefore(1025), 15);
  EXPECT_EQ(pacer.WaitBefore(1040), 0);
  EXPECT_EQ(pacer.WaitBefore(5000), 0);
  // A clock that went back never makes a wait longer than a frame.
  EXPECT_EQ(pacer.WaitBefore(900), 40);
}

}  // namespace
