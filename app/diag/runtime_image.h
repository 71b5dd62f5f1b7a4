#pragma once
// The run-time structure viewer's copy of the device's run-time blocks and
// the texts it shows of them; plain data and conversions, no window.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Laid out like the set-up image (global block, one set-up copy) followed by
// the extension structure ext_s; values stay big-endian as the device sends them.
inline constexpr int RUNTIME_IMAGE_SIZE = 780;
using RuntimeImageBytes = std::array<uint8_t, RUNTIME_IMAGE_SIZE>;

// Places within the image.
inline constexpr int RUNTIME_GBL = 0;      // 8 bytes
inline constexpr int RUNTIME_ADM = 8;      // 16 bytes
inline constexpr int RUNTIME_PC = 24;      // 32 bytes
inline constexpr int RUNTIME_AD = 56;      // 244 bytes
inline constexpr int RUNTIME_AD_SIZE = 244;
inline constexpr int RUNTIME_EXT_S = 716;  // 64 bytes

// One block of CMD_DEBUG_VARS: the bytes the device sends and the part of
// the image that takes them. A copy never runs past its part.
struct RuntimeBlock {
  uint8_t block;
  int bytes;   // bytes of the block that the window uses
  int offset;  // first byte of its part of the image
  int size;    // length of that part
};

// The blocks 0, 1, 2, 3, 4, 5 and 9; nullopt for any other.
std::optional<RuntimeBlock> FindRuntimeBlock(uint8_t block);

// Fills the block's part with 0xFF.
void ClearRuntimeBlock(RuntimeImageBytes& image, const RuntimeBlock& block);
// Copies the reply data into the block's part, no more than the block's
// bytes, the part's length or the data that came; returns the bytes copied.
int CopyRuntimeBlock(RuntimeImageBytes& image, const RuntimeBlock& block, std::span<const uint8_t> data);

// "%02X " for every byte, the last one included.
std::string ByteListText(std::span<const uint8_t> bytes);
// A big-endian 32-bit value of the image as "%.8X".
std::string Be32Text(const RuntimeImageBytes& image, int offset);

// The answer text of a test action: the data bytes up to the first zero byte.
std::string DataText(std::span<const uint8_t> data);

// A register text of 1 to 8 hex digits as its value; nullopt for any other text.
std::optional<uint32_t> RegisterValue(std::string_view text);

// A byte field: the leading decimal integer, clamped to 0..255.
uint8_t ByteFieldValue(std::string_view text);

// The pause of the diagnosis loop: the leading decimal integer, clamped to 0..60000 ms.
int DiagnosisPauseMs(std::string_view text);
