// The sensitivity calibration from nominal data: each channel's input signal
// at nominal value becomes the second point of its characteristic, written
// to the device at once.
#include <array>
#include <optional>

#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/channel_fields.h"
#include "app/service/image_fields.h"
#include "app/service/sensitivity_points.h"
#include "app/service/service_window.h"
#include "app/setup/setup_messages.h"

namespace {

constexpr int ROW_KEEP_ZERO = 33;
constexpr int ROW_NO_INPUT_SIGNAL = 24;
constexpr int ROW_INVALID_INPUT_SIGNAL = 25;
constexpr int ROW_NO_NOMINAL_VALUE = 26;

// Refuses with `row` and puts the focus into the field to correct.
void Refuse(int row, TEdit* field) {
  ShowUntilOk(LangText(row), ROW_TITLE_HINT, MB_ICONINFORMATION);
  field->SetFocus();
}

// The input code of one channel's fields; nullopt after a refusal.
std::optional<int32_t> InputCodeOf(TEdit* signal, TEdit* nominal) {
  const std::optional<InputSignalEntry> entry = ReadInputSignal(signal->Text());
  if (!entry) {
    Refuse(ROW_NO_INPUT_SIGNAL, signal);
    return std::nullopt;
  }
  signal->SetText(entry->shown);
  if (!entry->code) {
    Refuse(ROW_INVALID_INPUT_SIGNAL, signal);
    return std::nullopt;
  }
  if (nominal->Text().empty()) {
    Refuse(ROW_NO_NOMINAL_VALUE, nominal);
    return std::nullopt;
  }
  return entry->code;
}

}  // namespace

void TForm21::WriteSensitivityCalibration() {
  if (Form1 == nullptr) return;
  TForm1& link = *Form1;
  const bool loadCalibrated = ImageByte(link.SetupImage, SetupSection::CHN0, "chn_calib_mode") == CALIB_MODE_LOAD ||
                              ImageByte(link.SetupImage, SetupSection::CHN1, "chn_calib_mode") == CALIB_MODE_LOAD;
  const bool keepZero = loadCalibrated && AskYesNo(LangText(ROW_KEEP_ZERO));

  // Both channels are checked before anything is written, so that a refusal
  // on channel 2 leaves channel 1's calibration as it was.
  const int channels = link.ChannelCount == 2 ? 2 : 1;
  std::array<int32_t, 2> codes{};
  const std::array<TEdit*, 2> signalFields{Edit2, Edit4};
  const std::array<TEdit*, 2> nominals{Edit1, Edit3};
  for (int c = 0; c < channels; ++c) {
    const std::optional<int32_t> code = InputCodeOf(signalFields[static_cast<size_t>(c)], nominals[static_cast<size_t>(c)]);
    if (!code) return;
    codes[static_cast<size_t>(c)] = *code;
  }

  const auto adc = SectionBytes(link.SetupImage, SetupSection::ADC);
  for (int c = 0; c < channels; ++c) {
    SetSensitivityPoints(link.SetupImage, c, codes[static_cast<size_t>(c)], keepZero);
    const PointBlock block = PointBlockOf(c);
    // Failures show in the set-up write that follows, which sends the points again.
    link.WriteDeviceMemory(adc, SetupBase + Info(SetupSection::ADC).copy_offset, block.offset, block.length);
  }
  StoreChannelSetup();
}
