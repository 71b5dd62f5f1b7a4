// The registry: 58 operations in dispatch order, each keyword claimed by
// exactly one of them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flashcmd/operation.h"

namespace {

const std::vector<std::string> kDispatchOrder{
    "ERASE",      "BLANKCHECK", "PROGRAM", "READ",   "VERIFY",  "RBOOTID1",  "RBOOTID2", "RSBV",       "WSBV",
    "RBSB",       "WBSB",       "RHWB",    "WHWB",   "REB",     "WEB",       "SSL1",     "SSL2",       "RSSB",
    "WSSB",       "RCRIS",      "WCRIS",   "RNNB",   "WNNB",    "RBTC1",     "WBTC1",    "RBTC2",      "WBTC2",
    "RBTC3",      "WBTC3",      "RSIGB",   "ENAX2",  "DISX2",   "ENABLJB",   "DISBLJB",  "ENAOSC",     "DISOSC",
    "ENASELBOOT", "DISSELBOOT", "MEMORY",  "START",  "WAIT",    "SERIALIZE", "ADDRANGE", "LOADBUFFER", "FILLBUFFER",
    "SAVEBUFFER", "ONFAIL",     "ASSERT",  "ECHO",   "CANOPEN", "CANCLOSE",  "WP1CFG",   "RP1CFG",     "WP3CFG",
    "RP3CFG",     "WP4CFG",     "RP4CFG",  "TIMEOUT"};

TEST(FlashcmdOperationRegistry, FiftyEightOperationsInDispatchOrder) {
  ASSERT_EQ(operationRegistry.size(), 58u);
  for (size_t i = 0; i < operationRegistry.size(); ++i)
    EXPECT_EQ(operationRegistry[i]->keywords().front(), kDispatchOrder[i]) << i;
}

TEST(FlashcmdOperationRegistry, EveryKeywordHasExactlyOneOperation) {
  std::vector<std::string> keywords = kDispatchOrder;
  keywords.push_back("PROGRAM_RANGE");
  for (const std::string& keyword : keywords) {
    int claimants = 0;
    for (const Coperation* operation : operationRegistry) claimants += operation->claims(keyword) ? 1 : 0;
    EXPECT_EQ(claimants, 1) << keyword;
  }
  size_t known = 0;
  for (const Coperation* operation : operationRegistry) known += operation->keywords().size();
  EXPECT_EQ(known, 59u);
}

TEST(FlashcmdOperationRegistry, ProgramRangeReachesTheProgramOperation) {
  EXPECT_TRUE(operationRegistry[2]->claims("PROGRAM_RANGE"));
  EXPECT_TRUE(operationRegistry[2]->claims("PROGRAM"));
}

TEST(FlashcmdOperationRegistry, KeywordsAreComparedExactly) {
  for (const Coperation* operation : operationRegistry) {
    EXPECT_FALSE(operation->claims("erase"));
    EXPECT_FALSE(operation->claims("ERAS"));
    EXPECT_FALSE(operation->claims("ERASE "));
  }
}

}  // namespace
