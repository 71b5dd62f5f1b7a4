#include "app/link/answer_decoding.h"

#include <algorithm>
#include <cstring>

#include "app/link/link_protocol.h"
#include "app/link/link_utilities.h"

namespace {

uint8_t At(std::span<const uint8_t> bytes, size_t i) { return i < bytes.size() ? bytes[i] : 0; }

}  // namespace

int MinimumAnswerLength(uint8_t command, std::span<const uint8_t> request, int blockLength) {
  switch (command) {
    case CMD_ADC_RAW:
      return 5;
    case CMD_ADC_SCALED:
      return 4;
    case CMD_ADC_MIN_MAX:
      return At(request, 2) == 0 ? 4 : 0;
    case CMD_ADC_MILLIVOLT:
      return 1;
    case CMD_ADC_INFO:
    case CMD_ADC_STATE:
      return 1;
    case CMD_LOG_MEMORY:
      switch (At(request, 0)) {
        case 3:
          return 2;
        case 4:
          return 2;
        case 5:
          return 10;
        case 0x63:
          return 4;
        default:
          return 0;
      }
    case CMD_READ_CLOCK:
      return 10;
    case CMD_READ_EXB_VALUES:
      return 10;
    case CMD_BLOCK_READ:
    case CMD_BLOCK_READ_ONCE:
      return blockLength;
    case CMD_SETUP_CHECKSUM:
      return At(request, 0) == 1 ? 4 : 0;
    case CMD_IDENT_DATA:
      return At(request, 0) == 1 ? IdentItemLength(At(request, 1)) : 0;
    case CMD_ERROR_CODES:
      return At(request, 1) == 0 ? 2 : 1;
    default:
      return 0;
  }
}

std::string AnswerText(std::span<const uint8_t> bytes, int dropTail) {
  const auto zero = std::find(bytes.begin(), bytes.end(), uint8_t{0});
  std::string text(bytes.begin(), zero);
  const size_t drop = static_cast<size_t>(std::max(dropTail, 0));
  text.resize(text.size() > drop ? text.size() - drop : 0);
  return text;
}

WeightTexts SplitWeightText(const std::string& text) {
  WeightTexts t;
  t.isSum = text.size() >= 3 && text[2] == 'S';
  (t.isSum ? t.sum : t.weight) = text;
  return t;
}

int32_t DecodeLogEntry(uint8_t high, uint8_t middle) {
  uint32_t v = static_cast<uint32_t>(high) << 16 | static_cast<uint32_t>(middle) << 8;
  if (high >= 0x80) v |= 0xFF000000u;
  return static_cast<int32_t>(v);
}

int IdentItemLength(int item) {
  switch (item) {
    case 0:
      return 50;
    case 1:
      return 8;
    case 2:
      return 4;
    case 3:
      return 1;
    case 4:
      return 8;
    case 5:
      return 10;
    case 6:
      return 10;
    case 7:
      return 4;
    case 8:
      return 5;
    case 9:
      return 1;
    case 0xFF:
      return 1;
    default:
      return 0;
  }
}

std::string IdentText(std::span<const uint8_t> data, int length) {
  return AnswerText(data.first(std::min<size_t>(data.size(), static_cast<size_t>(length))), 0);
}

std::array<uint8_t, 10> HostOrderExbValues(std::span<const uint8_t> data) {
  std::array<uint8_t, 10> v{};
  std::copy_n(data.begin(), std::min<size_t>(data.size(), v.size()), v.begin());
  const uint32_t raw = ReadBe32(std::span<const uint8_t>(v).subspan(1, 4));
  const uint32_t scaled = ReadBe32(std::span<const uint8_t>(v).subspan(5, 4));
  std::memcpy(v.data() + 1, &raw, 4);
  std::memcpy(v.data() + 5, &scaled, 4);
  return v;
}
