// Step lines end their message at column 40; range and version texts.
#include "flashcmd/step_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FlashcmdStepText, DottedMessagesEndAtColumn40) {
  EXPECT_EQ(stepText("Erasing", true), "\nErasing" + std::string(32, '.') + " ");
  for (size_t length : {1u, 20u, 38u}) {
    const std::string text = stepText(std::string(length, 'm'), true);
    EXPECT_EQ(text.size(), 1u + 40u) << length;
    EXPECT_EQ(text.back(), ' ');
  }
  EXPECT_EQ(stepText(std::string(39, 'm'), true), "\n" + std::string(39, 'm') + " ");
  EXPECT_EQ(stepText(std::string(45, 'm'), true), "\n" + std::string(45, 'm') + " ");
  EXPECT_EQ(stepText("Reading memory", false), "\nReading memory");
}

TEST(FlashcmdStepText, FillAfterProgressDots) {
  // "Programming memory" (18) with 5 pairs of progress dots: 12 more columns.
  EXPECT_EQ(fillText(18, 5), std::string(11, '.') + " ");
  EXPECT_EQ(fillText(18, 0), std::string(21, '.') + " ");
  EXPECT_EQ(fillText(18, 11), " ");
  EXPECT_EQ(fillText(18, 30), " ");
}

TEST(FlashcmdStepText, RangeText) {
  EXPECT_EQ(rangeText(0, 65535), "0x00000\t0x0FFFF");
  EXPECT_EQ(rangeText(0x100, 0x1FF), "0x00100\t0x001FF");
  EXPECT_EQ(rangeText(0x123456, 0xFFFFFFFF), "0x123456\t0xFFFFFFFF");
}

TEST(FlashcmdStepText, LoaderVersion) {
  EXPECT_EQ(versionText("23"), "1.2.3");
  EXPECT_EQ(versionText("1A"), "1.1.A");
  EXPECT_EQ(versionText("5"), "1.5");
  EXPECT_EQ(versionText(""), "1.");
}

}  // namespace
