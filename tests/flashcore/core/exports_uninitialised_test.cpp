// Exports called before ispInit change nothing and report failure.
#include "tests/flashcore/core/flashcore_library.h"

TEST(ExportsBeforeInit, ReportFailureWithoutTouchingAnything) {
  EXPECT_EQ(ISP(ispGetErrorVecPtr)(), nullptr);
  EXPECT_STREQ(ISP(ispGetLastStringError)(), "");
  EXPECT_STREQ(ISP(ispGetLastResult)(), "");
  EXPECT_EQ(ISP(ispGetLastError)(), 0);
  EXPECT_FALSE(ISP(ispSelectDevice)(17));
  EXPECT_FALSE(ISP(ispFillBuffer)("00"));
  EXPECT_EQ(ISP(ispGetTaskPeriodicEventHandle)(), nullptr);
  EXPECT_EQ(ISP(ispCancel)(), 0);
  ISP(ispGetMemorySize)();
  ISP(ispAppendErrorMap)("key", "text");
  EXPECT_EQ(ISP(ispGetDeviceIndex)("MCU20"), 16);

  // After ispInit the library works and nothing of the above stuck.
  EXPECT_TRUE(ISP(ispInit)());
  EXPECT_STREQ(ISP(ispGetLastStringError)(), "");
  ASSERT_NE(ISP(ispGetErrorVecPtr)(), nullptr);
  EXPECT_TRUE(ISP(ispSelectDevice)(17));
  ISP(ispGetMemorySize)();
  EXPECT_STREQ(ISP(ispGetLastResult)(), "16384");
}
