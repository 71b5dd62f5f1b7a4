#include "app/diag/weighing_range.h"

#include <cmath>
#include <cstdio>

const std::array<int32_t, 18> DigitStepTable = {1,    2,    5,     10,    20,    50,     100,    200,    500,
                                                1000, 2000, 5000, 10000, 20000, 50000, 100000, 200000, 500000};

namespace {

int DecimalCharacters(long long value) { return static_cast<int>(std::to_string(value).size()); }

}  // namespace

WeighingRange ComputeWeighingRange(int32_t divisions, int32_t stepUnits, const std::string& unit) {
  WeighingRange result;
  result.range = static_cast<double>(divisions) * stepUnits * 0.0001;
  result.step = static_cast<float>(stepUnits * 0.0001);

  // Width and precision from the digits of the division count (a) and of
  // ten times the range (b), so that one digit step stays visible.
  int a = DecimalCharacters(divisions);
  const float tenfold = static_cast<float>(static_cast<double>(divisions) * result.step * 10.0);
  const int b = DecimalCharacters(static_cast<long long>(std::trunc(tenfold))) - 1;
  if (a == b) ++a;
  int width = a;
  int precision = a - b;
  if (b > a) {
    width = b;
    precision = 0;
  } else if (b == 0) {
    ++a;
    width = a;
    precision = a - 1;
  }
  char shown[96];
  std::snprintf(shown, sizeof shown, "%*.*f  %s", width, precision, result.range + result.step, unit.c_str());
  result.text = shown;
  return result;
}
