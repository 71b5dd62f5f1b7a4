// The firmware classification: the early release line, firmware from V1.0.6
// on, and the releases with five decimal places.
#include <gtest/gtest.h>

#include "app/link/firmware_version.h"

namespace {

TEST(FirmwareClassification, EveryListedVersionAndTheLaterReleasesOfLineOne) {
  struct Case {
    const char* text;
    bool early;
    bool v106;
    bool noFiveDecimals;
  };
  const Case cases[] = {
      {"V1.0.6", false, true, true},
      {"V1.0.7", false, true, true},
      {"V1.0.9", false, true, true},
      {"V1.1.0", false, true, true},
      {"V2.0.0", false, true, true},
      {"V1.0.5", false, false, true},
      {"V0.0.10", true, false, true},
      {"", false, false, true},
      {"V1.0.10", false, true, true},
      {"V1.0.11", false, true, false},
      {"V1.0.12", false, true, false},
      {"V1.0.13", false, true, false},
      {"V1.0.14", false, true, false},
      {"V1.0.15", false, true, false},
      {"V0.0.1", false, false, true},
      {"V0.0.11", false, false, true},
      {"V0.0.2", true, false, true},
      {"V0.0.3", true, false, true},
      {"V0.0.4", true, false, true},
      {"V0.0.5", true, false, true},
      {"V0.0.6", true, false, true},
      {"V0.0.7", true, false, true},
      {"V0.0.8", true, false, true},
      {"V0.0.9", true, false, true},
      {"v1.0.12", false, true, true},
      // Later releases of line 1.0 are compared by number, not as text.
      {"V1.0.16", false, true, true},
      {"V1.0.100", false, true, true},
  };
  for (const Case& c : cases) {
    const FirmwareJudgement j = JudgeFirmwareVersion(c.text);
    EXPECT_EQ(j.series0, c.early) << '"' << c.text << '"';
    EXPECT_EQ(j.shortSdcontList, c.v106) << '"' << c.text << '"';
    EXPECT_EQ(j.noFiveDecimals, c.noFiveDecimals) << '"' << c.text << '"';
  }
}

}  // namespace
