#pragma once
// JPEG pictures decoded with libjpeg.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class QImage;

class EJpegError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Decodes a JPEG (grey or colour) into an RGB image; throws EJpegError on
// data that is no JPEG or is cut short.
QImage DecodeJpeg(const std::vector<uint8_t>& data);
QImage DecodeJpegFile(const std::string& path);
