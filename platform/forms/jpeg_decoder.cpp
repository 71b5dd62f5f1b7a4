#include "platform/forms/jpeg_decoder.h"

#include <QImage>
#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>

#include <jpeglib.h>

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->jump, 1);
}

void OnMessage(j_common_ptr, int) {}  // warnings are not reported

}  // namespace

QImage DecodeJpeg(const std::vector<uint8_t>& data) {
  if (data.empty()) throw EJpegError("JPEG: no data");
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.emit_message = OnMessage;
  // Everything that a longjmp may skip is plain data; the image is made after.
  QImage* volatile image = nullptr;
  if (setjmp(errors.jump) != 0) {
    jpeg_destroy_decompress(&info);
    delete image;
    throw EJpegError(std::string("JPEG: ") + errors.message);
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  image = new QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB888);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  QImage result = std::move(*image);
  delete image;
  return result;
}

QImage DecodeJpegFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EJpegError("JPEG: cannot open " + path);
  const std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return DecodeJpeg(data);
}
