#include "app/diag/calibration_support.h"

#include <algorithm>
#include <array>

#include "app/link/device_request.h"
#include "app/link/test_window.h"
#include "app/params/parameter_dialog.h"
#include "app/service/service_window.h"
#include "platform/forms/dialogs.h"

namespace calibration {

namespace {

constexpr int kReplyDataStart = 5;
// The "Mode" panels: the test window's and the service window's.
constexpr int TEST_WINDOW_MODE_PANEL = 10;
constexpr int SERVICE_MODE_PANEL = 3;

constexpr std::array<const char*, 8> kUnitSymbols = {"kg", "t", "g", "lb", "oz", "N", "kN", "{free}"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool Send(uint8_t command, const std::vector<uint8_t>& data, bool awaitAnswer, bool wait) {
  if (Form1 == nullptr) return false;
  const RequestKind kind = awaitAnswer ? (wait ? RequestKind::Wait : RequestKind::NoWait)
                                       : (wait ? RequestKind::SendOnlyWait : RequestKind::SendOnly);
  const RequestResult result = SendRequest(*Form1, command, data, kind);
  return wait ? result.answered : result.queued;
}

bool Read(uint8_t command, const std::vector<uint8_t>& data) {
  if (Form1 == nullptr) return false;
  return SendRequest(*Form1, command, data, RequestKind::Wait, AnswerRule::StatusErrorAllowed).answered;
}

uint8_t ReplyData(int index) { return Form1 != nullptr ? Form1->ReplyBuffer[kReplyDataStart + index] : 0; }

int32_t ReplyDataBe32(int index) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = value << 8 | ReplyData(index + i);
  return static_cast<int32_t>(value);
}

void Hint(const std::string& text, unsigned icon) {
  MessageBoxUntilOk(text, "HINWEIS", icon);
}

void ShowAdcMode(const char* mode) {
  if (Form1 != nullptr) Form1->StatusBar1->SetPanelText(TEST_WINDOW_MODE_PANEL, mode);
  if (Form21 != nullptr) Form21->StatusBar1->SetPanelText(SERVICE_MODE_PANEL, mode);
}

const char* UnitSymbol(int index) {
  if (index < 0 || index >= static_cast<int>(kUnitSymbols.size())) return nullptr;
  return kUnitSymbols[index];
}

std::vector<uint8_t> TextValue(std::string_view text) {
  constexpr uint8_t kTextMarker = 0x01;
  // Sized once and filled: appending to a one-byte vector trips a false -Warray-bounds in GCC 12 at -O2.
  std::vector<uint8_t> data(text.size() + 1, kTextMarker);
  std::copy(text.begin(), text.end(), data.begin() + 1);
  return data;
}

std::string WithPoint(std::string_view text) {
  std::string copy(text);
  for (char& c : copy)
    if (c == ',') c = '.';
  return copy;
}

bool IsNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t exponent = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++exponent;
    if (exponent == 0) return false;
  }
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i == text.size();
}

bool OneChannelSetup() { return ImageField(SetupSection::WKG0, "mk").Byte() == 1; }

}  // namespace calibration
