#include "canlink/can_frame_text.h"

#include <cstdio>
#include <cstring>

#include "comlink/loaded_name.h"

namespace canlink {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The value of `count` hexadecimal digits; -1 when one is missing or no digit.
long HexField(const char* text, size_t count) {
  long value = 0;
  for (size_t i = 0; i < count; ++i) {
    const int digit = HexDigit(text[i]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

}  // namespace

std::optional<Frame> ParseFrameText(const char* text) {
  if (text == nullptr) return std::nullopt;
  const size_t size = std::strlen(text);
  if (size < 5) return std::nullopt;
  const long id = HexField(text, 3);
  const long length = HexField(text + 3, 2);
  if (id < 0 || id > 0x7FF || length < 0 || length > 8 || size != 5 + 2 * static_cast<size_t>(length))
    return std::nullopt;
  Frame frame;
  frame.id = static_cast<std::uint32_t>(id);
  frame.length = static_cast<std::uint8_t>(length);
  for (long i = 0; i < length; ++i) {
    const long byte = HexField(text + 5 + 2 * i, 2);
    if (byte < 0) return std::nullopt;
    frame.data[i] = static_cast<std::uint8_t>(byte);
  }
  return frame;
}

bool InCrisSegment(std::uint32_t id, std::uint8_t cris) { return id <= 0x7FF && (id >> 4) == cris; }

void StoreMessage(const Frame& frame, CanMessage* message) {
  *message = CanMessage{};
  message->id = frame.id;
  message->length = frame.length;
  std::memcpy(message->data, frame.data, sizeof message->data);
}

void Report(const std::string& text) {
  std::fprintf(stderr, "%s: %s\n", LoadedLibraryName("canlink").c_str(), text.c_str());
}

}  // namespace canlink
