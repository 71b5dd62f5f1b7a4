// The answer handling of every command: what the request phase prepares and
// which fields, texts and flags the answer fills.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/link/answer_decoding.h"
#include "app/link/device_link.h"
#include "app/link/link_utilities.h"
#include "app/link/message_box.h"
#include "app/program/text_table.h"
#include "platform/forms/dialogs.h"

namespace {

// The variant byte of the factory data in the set-up image.
constexpr size_t kFactoryDataOffset = 716;
constexpr size_t kFactoryVariantOffset = 14;

bool IsCalibrationStep(uint8_t command) { return command >= CMD_CAL_ZERO && command <= CMD_EXT_CAL_POINT; }

// The calibration steps that show the wait window: 0x01 and 0x02 always,
// 0x03 to 0x05 when their first data byte is not 0.
bool ShowsWaitWindow(uint8_t command, const RequestEntry& e) {
  if (command == CMD_CAL_ZERO || command == CMD_CAL_END) return true;
  return IsCalibrationStep(command) && e.DataByte(0) != 0;
}

}  // namespace

void DeviceLink::SetAnswerTimeout(int address) {
  RequestEntry* e = CurrentEntry(address);
  // A time-out given to the request when it was queued stays.
  if (e == nullptr || e->TimeoutMs != 0) return;
  if (const int ms = AnswerTimeoutMs(e->Command()); ms > 0) e->TimeoutMs = ms;
}

int DeviceLink::HandleAnswer(int address, uint8_t command, int phase, const uint8_t* data) {
  RequestEntry* e = CurrentEntry(address);
  if (e == nullptr) return 0;

  if (phase == PHASE_ANSWER && DeviceErrorFlag == 1 && LoopReadActive == 0 && answerDataLength_ >= 4 && data[1] == 5 &&
      data[2] == 0xFF && data[3] == 0xFF) {
    // The device is busy: the request goes out again, for a limited time.
    if (e->BusySinceMs < 0) e->BusySinceMs = NowMs();
    if (NowMs() - e->BusySinceMs >= BUSY_RETRY_LIMIT_MS) {
      FailRequest(address);
      return 0;
    }
    e->State = 0;
    return 1;
  }

  if (phase == PHASE_REQUEST) {
    SetAnswerTimeout(address);
    switch (command) {
      case CMD_ADC_RAW:
        AdcRawReady = 0;
        break;
      case CMD_ADC_SCALED:
        AdcScaledReady = 0;
        break;
      case CMD_ADC_MIN_MAX:
        AdcMinMaxReady = 0;
        break;
      case CMD_ADC_MILLIVOLT:
        AdcMillivoltReady = 0;
        break;
      case CMD_READ_WEIGHT:
        WeightTextReady = 0;
        WeightTextSReady = 0;
        break;
      default:
        if (ShowsWaitWindow(command, *e)) {
          Events.Notify([](LinkListener& l) { l.WaitWindowShown(); });
          waitWindowShownByLink_ = true;
        }
        break;
    }
    return 0;
  }

  if (phase != PHASE_ANSWER || data == nullptr) return 0;
  // An answer too short for what its handling reads fills nothing and fails.
  if (answerDataLength_ < MinimumAnswerLength(command, e->Data(), BlockLength)) {
    CloseWaitWindowOfLink();
    FailRequest(address);
    return 0;
  }
  return AnswerCommand(address, command, data);
}

int DeviceLink::AnswerCommand(int address, uint8_t command, const uint8_t* data) {
  RequestEntry* e = CurrentEntry(address);
  const std::span<const uint8_t> answer(data, static_cast<size_t>(std::max(answerDataLength_, 0)));
  const int lang = Lang();
  const bool csum = Options.csum != 0;
  const bool noError = DeviceErrorFlag == 0;
  auto ok = [&] {
    // "OK!" only when the device reported no error.
    if (noError) ShowUntilOk("OK!", ROW_TITLE_HINT, MB_ICONINFORMATION);
  };
  auto text = [&](int dropTail) { return AnswerText(answerTextBytes_, dropTail); };

  switch (command) {
    case CMD_CAL_ZERO:
    case CMD_CAL_END:
    case CMD_EXT_CAL_ZERO:
    case CMD_EXT_CAL_END:
    case CMD_EXT_CAL_POINT:
      if (ShowsWaitWindow(command, *e)) CloseWaitWindowOfLink();
      ok();
      break;
    case CMD_DELETE_CAL_POINTS:
    case CMD_DELETE_CAL:
    case CMD_ADC_FUNCTION:
    case CMD_TARE_WEIGHT:
    case CMD_EXB_OUTPUT:
    case CMD_RESET:
    case CMD_SETUP_ACTIVE:
    case CMD_LOAD_DEFAULTS:
    case CMD_LOAD_EEPROM:
    case CMD_DEFAULTS_TO_EEPROM:
    case CMD_RUNTIME_TO_EEPROM:
    case CMD_SETUP_ERASE:
    case CMD_SETUP_BACKUP:
    case CMD_ADC_RESET:
      ok();
      break;
    case CMD_ADC_RAW:
      AdcChannelAnswer = answer[0];
      AdcRawValue = static_cast<int32_t>(ReadBe32(answer.subspan(1, 4)));
      AdcRawReady = 1;
      break;
    case CMD_VALUE_STREAM:
      if (e->DataByte(0) == 1 && e->DataByte(1) == 0) {
        RxCount = 0;
        Options.sdcont = 1;
        FollowStreamOption();
      } else if (e->DataByte(0) == 0 && e->DataByte(1) == 0) {
        Options.sdcont = 0;
        FollowStreamOption();
      }
      break;
    case CMD_ADC_BTN:
      if (e->DataByte(0) == 1) {
        RxCount = 0;
        Options.btncont = 1;
      } else if (e->DataByte(0) == 0) {
        Options.btncont = 0;
      }
      Events.Notify([on = e->DataByte(0)](LinkListener& l) { l.ButtonModeAnswered(on); });
      break;
    case CMD_ADC_SCALED:
      std::memcpy(&AdcScaledValue, answer.data(), 4);
      AdcScaledSwapped = static_cast<int32_t>(::SwapInt32(static_cast<uint32_t>(AdcScaledValue)));
      AdcScaledReady = 1;
      break;
    case CMD_ADC_MIN_MAX:
      if (e->DataByte(2) == 0) {
        AdcMinMaxValue = static_cast<int32_t>(ReadBe32(answer.first(4)));
      } else {
        AdcMinMaxText = text(2).substr(0, 255);
      }
      AdcMinMaxReady = 1;
      break;
    case CMD_ADC_MILLIVOLT: {
      const std::string t = text(csum ? 2 : 0);
      AdcMillivoltText = t.size() > 1 ? t.substr(1, 255) : std::string();
      if (!t.empty() && t[0] == '0') AdcChannelAnswer = 0;
      if (!t.empty() && t[0] == '1') AdcChannelAnswer = 1;
      AdcMillivoltReady = 1;
      break;
    }
    case CMD_ADC_INFO: {
      AdcConversionMode = answer[0];
      const char* mode = AdcConversionMode == 0 ? "CONT" : AdcConversionMode == 1 ? "SINGLE" : nullptr;
      if (mode != nullptr) {
        Events.Notify([mode](LinkListener& l) { l.AdcModeReported(mode); });
      }
      break;
    }
    case CMD_ADC_STATE:
      AdcFunctionState = answer[0];
      break;
    case CMD_LOG_MEMORY:
      switch (e->DataByte(0)) {
        case 0:
        case 1:
        case 2:
          ok();
          break;
        case 3:
          LogMaxPointer = ReadBe16(answer.first(2));
          break;
        case 4:
          LogEntryValue = DecodeLogEntry(answer[0], answer[1]);
          break;
        case 5:
          std::copy_n(answer.begin(), LogHeader.size(), LogHeader.begin());
          break;
        case 0x63:
          LogRingCounter = ReadBe32(answer.first(4));
          break;
        default:
          break;
      }
      break;
    case CMD_READ_CLOCK:
      std::copy_n(answer.begin(), DeviceClock.size(), DeviceClock.begin());
      break;
    case CMD_READ_WEIGHT: {
      const WeightTexts t = SplitWeightText(text(csum ? 2 : 0).substr(0, 255));
      WeightText = t.weight;
      WeightTextS = t.sum;
      (t.isSum ? WeightTextSReady : WeightTextReady) = 1;
      break;
    }
    case CMD_READ_EXB_VALUES:
      ExbValues = HostOrderExbValues(answer);
      break;
    case CMD_READ_LOAD_COUNTER:
      LoadCounterText = text(csum ? 2 : 0).substr(0, 63);
      break;
    case CMD_READ_BELT_SCALE:
      BeltScaleText = text(csum ? 2 : 0).substr(0, 63);
      break;
    case CMD_BLOCK_READ:
    case CMD_BLOCK_READ_ONCE: {
      const size_t n = std::min<size_t>(BlockLength, BlockData.size());
      std::copy_n(answer.begin(), n, BlockData.begin());
      if (command == CMD_BLOCK_READ)
        BlockReadOk = 1;
      else
        blockOnceAnswered_ = true;
      break;
    }
    case CMD_BLOCK_WRITE:
      BlockWriteOk = 1;
      break;
    case CMD_SETUP_CHECKSUM:
      if (e->DataByte(0) == 1) {
        char box[64];
        std::snprintf(box, sizeof box, "VD417-Setup-CSum : %c%c %c%c", answer[0], answer[1], answer[2], answer[3]);
        ShowUntilOk(box, ROW_TITLE_HINT, MB_ICONINFORMATION);
        Events.Notify([](LinkListener& l) { l.SetupChecksumShown(); });
      } else if (e->DataByte(0) == 2) {
        ok();
      }
      break;
    case CMD_SETUP_CHECKSUM_TEST:
      if (noError)
        ShowUntilOk("VD417-CSum OK", ROW_TITLE_HINT, MB_ICONINFORMATION);
      else
        ShowUntilOk("VD417-CSum ERROR!", ROW_TITLE_ERROR, MB_ICONERROR);
      break;
    case CMD_IDENT_DATA:
      if (e->DataByte(0) == 2) {
        ok();
      } else if (e->DataByte(0) == 1) {
        const int item = e->DataByte(1);
        const std::string t = IdentText(answer, IdentItemLength(item));
        switch (item) {
          case 0:
            InfoText = t;
            break;
          case 1:
            SerialNumberText = t;
            break;
          case 2:
            ProductionDateText = t;
            break;
          case 3:
            DeviceVariant = answer[0];
            SetupImage[kFactoryDataOffset + kFactoryVariantOffset] = answer[0];
            break;
          case 4:
            FirmwareIdText = t;
            break;
          case 5:
            FirmwareVersionText = t;
            break;
          case 6:
            FirmwareDateText = t;
            break;
          case 7:
            HardwareVersionText = t;
            break;
          case 8:
            std::copy_n(answer.begin(), ExbVersion.size(), ExbVersion.begin());
            break;
          case 9:
            SetupBackupPresent = answer[0];
            break;
          case 0xFF:
            FirmwareType = answer[0];
            if (FirmwareType == 1)
              Events.Notify([&](LinkListener& l) { l.StatusFieldShown(LinkStatusField::FirmwareType, "SW 0x01"); });
            if (FirmwareType == 2)
              Events.Notify([&](LinkListener& l) { l.StatusFieldShown(LinkStatusField::FirmwareType, "SW 0x02"); });
            FirmwareTypeMismatch = FirmwareType == EXPECTED_FIRMWARE_TYPE ? 0 : 1;
            if (FirmwareType == 1) ShowUntilOk(Text(445, lang), ROW_TITLE_HINT, MB_ICONINFORMATION);
            break;
          default:
            break;
        }
      }
      break;
    case CMD_ERROR_CODES:
      if (e->DataByte(1) == 0) {
        ErrorCodes = {answer[0], answer[1]};
        Events.Notify([&](LinkListener& l) {
          l.ErrorCodesShown(ErrorCodes);
          if (ErrorCodes[0] != 0 || ErrorCodes[1] != 0) l.DeviceErrorShown(DeviceErrorSign::ErrorCodes);
        });
      } else {
        ErrorItemValue = answer[0];
      }
      break;
    case CMD_FACTORY_DATA:
      if (e->DataByte(0) != 0xFF) ok();
      break;
    default:
      break;
  }
  CompleteRequest(address);
  return 0;
}
