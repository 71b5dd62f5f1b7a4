// The weighing range of the external calibration and the text that shows it
// plus one digit step.
#include <gtest/gtest.h>

#include "app/diag/weighing_range.h"

namespace {

struct RangeCase {
  int32_t divisions;
  int32_t stepUnits;  // digit step in units of 0.0001
  double range;
  const char* text;
};

TEST(WeighingRange, TheTextKeepsOneDigitStepVisible) {
  const RangeCase cases[] = {
      {3000, 5000, 1500.0, "1500.5  kg"},  // 5.1
      {3000, 10000, 3000.0, "3001.0  kg"}, // 5.1
      {3000, 100, 30.0, "30.01  kg"},      // 4.2
      {3000, 50, 15.0, "15.00  kg"},       // 4.2: the step falls below the shown precision
      {1000, 1, 0.1, "0.1001  kg"},        // 5.4
      {100, 5, 0.05, "0.051  kg"},         // 4.3
      {30000, 500000, 1500000.0, "1500050  kg"},  // more range digits than division digits: no decimals
      {0, 10000, 0.0, "1.0  kg"},         // no divisions yet
  };
  for (const RangeCase& c : cases) {
    const WeighingRange r = ComputeWeighingRange(c.divisions, c.stepUnits, "kg");
    EXPECT_NEAR(r.range, c.range, 1e-9) << c.divisions << " x " << c.stepUnits;
    EXPECT_EQ(r.text, c.text) << c.divisions << " x " << c.stepUnits;
  }
}

TEST(WeighingRange, TheUnitFollowsTwoBlanks) {
  EXPECT_EQ(ComputeWeighingRange(2500, 20, "N").text, "5.002  N");
  EXPECT_EQ(ComputeWeighingRange(2500, 20, "{free}").text, "5.002  {free}");
}

}  // namespace
