// The viewer's image of the run-time blocks and the texts it shows.
#include "app/diag/runtime_image.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(RuntimeImage, EveryBlockCopyStaysInsideItsOwnPart) {
  struct Case {
    uint8_t block;
    int first;  // first byte of the part in the image
    int copied;
  };
  // Blocks 3 and 4 send 128 bytes, but a channel's part of the ADC structure holds 32.
  for (const Case& c : {Case{0, 0, 8}, Case{1, 8, 16}, Case{2, 24, 32}, Case{3, 56 + 160, 32}, Case{4, 56 + 192, 32},
                        Case{5, 56 + 224, 12}, Case{9, 716, 64}}) {
    SCOPED_TRACE(int{c.block});
    const auto block = FindRuntimeBlock(c.block);
    ASSERT_TRUE(block.has_value());
    RuntimeImageBytes image;
    image.fill(0xAB);
    ClearRuntimeBlock(image, *block);
    const std::vector<uint8_t> reply(200, 0x11);
    EXPECT_EQ(CopyRuntimeBlock(image, *block, reply), c.copied);
    for (int i = 0; i < RUNTIME_IMAGE_SIZE; ++i) {
      const bool copied = i >= c.first && i < c.first + c.copied;
      const bool cleared = i >= block->offset && i < block->offset + block->size && !copied;
      const uint8_t expected = copied ? 0x11 : cleared ? 0xFF : 0xAB;
      ASSERT_EQ(image[static_cast<size_t>(i)], expected) << "byte " << i;
    }
  }
  for (uint8_t other : {6, 7, 8, 10, 255}) EXPECT_FALSE(FindRuntimeBlock(other).has_value()) << int{other};
}

TEST(RuntimeImage, AShortReplyCopiesOnlyWhatCame) {
  RuntimeImageBytes image{};
  const auto block = FindRuntimeBlock(2);
  ClearRuntimeBlock(image, *block);
  const std::vector<uint8_t> reply{1, 2, 3};
  EXPECT_EQ(CopyRuntimeBlock(image, *block, reply), 3);
  EXPECT_EQ(image[RUNTIME_PC + 2], 3);
  EXPECT_EQ(image[RUNTIME_PC + 3], 0xFF);
}

TEST(RuntimeImage, Texts) {
  const std::vector<uint8_t> bytes{0x01, 0xA0, 0x7F};
  EXPECT_EQ(ByteListText(bytes), "01 A0 7F ");
  EXPECT_EQ(ByteListText({}), "");
  RuntimeImageBytes image{};
  image[10] = 0x00, image[11] = 0x00, image[12] = 0x01, image[13] = 0x02;
  EXPECT_EQ(Be32Text(image, 10), "00000102");
  // The answer text ends at the first zero byte, or with the data.
  EXPECT_EQ(DataText(std::vector<uint8_t>{'1', '1', '.', '9', '2', 0, 'x'}), "11.92");
  EXPECT_EQ(DataText(std::vector<uint8_t>{'4', '2'}), "42");
}

TEST(RuntimeImage, RegisterTextsMustBeOneToEightHexDigits) {
  struct Case {
    const char* text;
    std::optional<uint32_t> value;
  };
  for (const Case& c : {Case{"1A", 0x1A}, Case{"ffffffff", 0xFFFFFFFF}, Case{"00010203", 0x00010203},
                        Case{"", std::nullopt}, Case{"123456789", std::nullopt}, Case{"1G", std::nullopt},
                        Case{" 1A", std::nullopt}, Case{"-1", std::nullopt}})
    EXPECT_EQ(RegisterValue(c.text), c.value) << c.text;
}

TEST(RuntimeImage, ByteFieldsAndThePauseAreClamped) {
  struct Case {
    const char* text;
    int byte;
    int pause;
  };
  for (const Case& c : {Case{"300", 255, 300}, Case{"", 0, 0}, Case{"abc", 0, 0}, Case{"-5", 0, 0},
                        Case{"44", 44, 44}, Case{"70000", 255, 60000}, Case{"12ms", 12, 12}}) {
    EXPECT_EQ(ByteFieldValue(c.text), c.byte) << c.text;
    EXPECT_EQ(DiagnosisPauseMs(c.text), c.pause) << c.text;
  }
}

}  // namespace
