#include "app/diag/runtime_image.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "app/link/link_utilities.h"
#include "app/setup/setup_text.h"

namespace {

// Block 3 and 4 carry the parameters of one channel (32 bytes each at 160
// and 192 of the ADC structure), block 5 the common part from 224.
constexpr std::array<RuntimeBlock, 7> kBlocks = {{
    {0, 8, RUNTIME_GBL, 8},
    {1, 16, RUNTIME_ADM, 16},
    {2, 32, RUNTIME_PC, 32},
    {3, 128, RUNTIME_AD + 160, 32},
    {4, 128, RUNTIME_AD + 192, 32},
    {5, 12, RUNTIME_AD + 224, 20},
    {9, 64, RUNTIME_EXT_S, 64},
}};

}  // namespace

std::optional<RuntimeBlock> FindRuntimeBlock(uint8_t block) {
  for (const RuntimeBlock& b : kBlocks)
    if (b.block == block) return b;
  return std::nullopt;
}

void ClearRuntimeBlock(RuntimeImageBytes& image, const RuntimeBlock& block) {
  std::fill_n(image.begin() + block.offset, block.size, uint8_t{0xFF});
}

int CopyRuntimeBlock(RuntimeImageBytes& image, const RuntimeBlock& block, std::span<const uint8_t> data) {
  const int n = std::min({block.bytes, block.size, static_cast<int>(data.size())});
  std::copy_n(data.begin(), n, image.begin() + block.offset);
  return n;
}

std::string ByteListText(std::span<const uint8_t> bytes) {
  std::string text;
  text.reserve(bytes.size() * 3);
  for (uint8_t b : bytes) text += FormatHex2(b) + " ";
  return text;
}

std::string Be32Text(const RuntimeImageBytes& image, int offset) {
  return FormatHex8(ReadBe32(std::span<const uint8_t>(image).subspan(static_cast<size_t>(offset), 4)));
}

std::string DataText(std::span<const uint8_t> data) {
  const auto end = std::find(data.begin(), data.end(), uint8_t{0});
  return std::string(data.begin(), end);
}

std::optional<uint32_t> RegisterValue(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
    return std::nullopt;
  return HexTextToValue(std::string(text));
}

uint8_t ByteFieldValue(std::string_view text) {
  return static_cast<uint8_t>(std::clamp<int32_t>(TextToInt(text), 0, 255));
}

int DiagnosisPauseMs(std::string_view text) { return std::clamp<int32_t>(TextToInt(text), 0, 60000); }
