#include "platform/forms/jpeg_decoder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <jpeglib.h>

namespace {

// A JPEG of `width` x `height`, left half red and right half blue.
std::vector<uint8_t> EncodeTwoColours(int width, int height) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
  for (int x = 0; x < width; ++x) {
    const bool left = x < width / 2;
    row[static_cast<size_t>(x) * 3 + 0] = left ? 255 : 0;
    row[static_cast<size_t>(x) * 3 + 2] = left ? 0 : 255;
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&info, &p, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> data(out, out + size);
  jpeg_destroy_compress(&info);
  std::free(out);
  return data;
}

TEST(JpegDecoder, DecodesColoursAndSize) {
  const QImage image = DecodeJpeg(EncodeTwoColours(64, 16));
  ASSERT_EQ(image.width(), 64);
  ASSERT_EQ(image.height(), 16);
  const QColor left = image.pixelColor(8, 8), right = image.pixelColor(56, 8);
  EXPECT_GT(left.red(), 230);
  EXPECT_LT(left.blue(), 30);
  EXPECT_GT(right.blue(), 230);
  EXPECT_LT(right.red(), 30);
}

TEST(JpegDecoder, RefusesDataThatIsNoJpegOrCutShort) {
  EXPECT_THROW(DecodeJpeg({}), EJpegError);
  EXPECT_THROW(DecodeJpeg({'G', 'I', 'F', '8', '9', 'a'}), EJpegError);
  std::vector<uint8_t> cut = EncodeTwoColours(64, 64);
  cut.resize(40);
  EXPECT_THROW(DecodeJpeg(cut), EJpegError);
  EXPECT_THROW(DecodeJpegFile("/nonexistent/logo.jpg"), EJpegError);
}

}  // namespace
