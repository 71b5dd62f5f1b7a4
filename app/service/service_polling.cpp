#include "app/service/service_polling.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "app/diag/device_request.h"
#include "app/link/link_utilities.h"
#include "app/link/setup_image.h"
#include "app/link/test_window.h"
#include "app/params/exb_values.h"
#include "app/program/text_table.h"
#include "app/service/service_window.h"
#include "platform/clock/clock.h"

namespace {

constexpr int ROW_VALUE_ACQUISITION = 43;
constexpr int ROW_GROSS_MODE = 44;
constexpr int ROW_NET_MODE = 45;
constexpr uint8_t WEIGHT_ALL_CHANNELS = 0x0A;
constexpr uint8_t WEIGHT_SUM_CHANNEL = 0x14;
constexpr int ZERO_TARE_PAUSE_MS = 250;
// The next cycle follows at once; after a refused request it waits one
// queue tick, so that a link that refuses does not keep the loop spinning.
constexpr int NEXT_CYCLE_MS = 1;
constexpr int REFUSED_PAUSE_MS = 100;
constexpr const char* kLogStamp = "%d%m%Y_%H%M";
constexpr const char* kLongTime = "%A %d.%m.%y %H:%M:%S";
// What a reading shows when the device gave no valid answer to it.
constexpr const char* kUnread = "-";

int Lang() { return Form1->Options.lang; }

// `sum` and `mode` of the sum channel in the set-up image.
uint8_t SumChannelOn() { return SectionBytes(Form1->SetupImage, SetupSection::WKS)[0]; }
uint8_t SumMode() { return SectionBytes(Form1->SetupImage, SetupSection::WKS)[1]; }

bool Ask(uint8_t command, std::initializer_list<uint8_t> data) {
  const std::vector<uint8_t> bytes(data);
  return Form1->QueueRequest(Form1->DeviceAddress, command, bytes.data(), static_cast<int>(bytes.size()), 0, 1);
}

// True when the link's answer fields hold the answer to the request just waited for.
bool Answered(bool queued) { return queued && Form1->TransferFailed == 0; }

// The link dropped the request: a reset while a request had failed.
bool LinkAborted() {
  return (Form1->TransferFailed == 1 || Form1->DeviceErrorFlag == 1) && Form1->TransactionAborted == 1;
}

}  // namespace

ServicePolling::ServicePolling(TForm21& window) : w_(window), timer_(new TTimer(&window, NEXT_CYCLE_MS, false)) {
  timer_->SetName("PollingTimer");
  timer_->OnTimer = [this](TObject*) { Tick(); };
}

ServicePolling::~ServicePolling() {
  timer_->SetEnabled(false);
  if (log_.IsOpen()) log_.Close(FormatNow(kLongTime));
}

void ServicePolling::Start() {
  End();
  const unsigned run = ++run_;
  open_ = true;

  if (SumChannelOn() == 1) {
    if (Form1->DeviceVariant == 11) {
      w_.Label24->SetVisible(false);
    } else {
      w_.Label24->SetCaption("");
      w_.Label24->SetVisible(true);
    }
  }
  statusLang_ = Lang();
  w_.Label14->SetCaption(Text(ROW_VALUE_ACQUISITION, statusLang_));
  if (w_.LogFunktion1->Checked()) {
    const auto report = [](const std::string& name, std::error_code cause) {
      Form1->ReportFileWriteError(name, cause);
    };
    if (!log_.Open(FormatNow(kLogStamp), FormatNow(kLongTime), report)) report(log_.Name(), log_.Error());
  }
  w_.LogFunktion1->SetEnabled(false);
  Form1->SumDisplayEnabled = 1;
  ZeroTareRequest1 = 0;
  ZeroTareRequest2 = 0;

  Ask(CMD_READ_WEIGHT, {WEIGHT_ALL_CHANNELS});
  Form1->WaitUntilIdle();
  // Whatever ran during the wait may have started a run of its own.
  if (run != run_ || !open_) return;
  PollingActive = 1;
  timer_->SetInterval(NEXT_CYCLE_MS);
  timer_->SetEnabled(true);
}

void ServicePolling::EndIfStopped() {
  if (open_ && PollingActive != 1) End();
}

void ServicePolling::End() {
  if (!open_) return;
  open_ = false;
  timer_->SetEnabled(false);
  if (log_.IsOpen()) log_.Close(FormatNow(kLongTime));
  w_.LogFunktion1->SetEnabled(true);
  for (TLabel* label : {w_.Label14, w_.Label8, w_.Label9, w_.Label10, w_.Label13}) label->SetCaption("");
}

bool ServicePolling::Alive(unsigned run) const { return open_ && run == run_ && PollingActive == 1; }

void ServicePolling::PumpOnce() {
  if (Application != nullptr) Application->ProcessMessages();
}

void ServicePolling::Tick() {
  if (inCycle_) return;
  if (!open_) {
    timer_->SetEnabled(false);
    return;
  }
  if (PollingActive != 1) {
    End();
    return;
  }
  const unsigned run = run_;
  timer_->SetEnabled(false);
  inCycle_ = true;
  Cycle(run);
  inCycle_ = false;
  if (run == run_ && open_ && PollingActive != 1) End();
  if (Alive(run)) timer_->SetEnabled(true);
}

void ServicePolling::ShowStatusInCurrentLanguage() {
  if (Lang() == statusLang_) return;
  statusLang_ = Lang();
  w_.Label14->SetCaption(Text(ROW_VALUE_ACQUISITION, statusLang_));
}

void ServicePolling::Cycle(unsigned run) {
  TForm1& link = *Form1;
  timer_->SetInterval(NEXT_CYCLE_MS);
  // A set-up read or write of this window pauses the polling.
  if (SetupReadRunning == 1 || SetupWriteRunning == 1) {
    PumpOnce();
    ShowStatusInCurrentLanguage();
    return;
  }
  // Requests of other windows go first; the cycle follows when the link is idle.
  if (link.PendingCount != 0) {
    timer_->SetInterval(REFUSED_PAUSE_MS);
    return;
  }

  if (ZeroTareRequest1 == 1 || ZeroTareRequest2 == 1) {
    platform::Clock::Sleep(ZERO_TARE_PAUSE_MS);
    const uint8_t channel = ZeroTareRequest1 == 1 ? 1 : 2;
    if (w_.Nullung1->Checked()) Ask(CMD_ZERO, {channel});
    if (w_.Tarierung1->Checked()) Ask(CMD_TARE, {channel, 1});
    (ZeroTareRequest1 == 1 ? ZeroTareRequest1 : ZeroTareRequest2) = 0;
  }

  link.WaitUntilIdle();
  if (!Alive(run)) return;
  const bool queued = Ask(CMD_READ_WEIGHT, {WEIGHT_ALL_CHANNELS});
  if (!queued) timer_->SetInterval(REFUSED_PAUSE_MS);
  if (link.WeightTextReady == 0) {
    PumpOnce();
    if (!Alive(run)) return;
    if (LinkAborted()) {
      PollingActive = 0;
      return;
    }
  }
  // Called inside another transaction, the request goes out after it: this cycle shows nothing.
  if (!link.WaitUntilIdle() && link.PendingCount != 0) return;
  PumpOnce();
  if (!Alive(run)) return;

  // Weights are shown and logged only from a valid answer to this cycle's
  // request; after a failed one the labels say that they are not known.
  const bool fresh = Answered(queued) && link.WeightTextReady == 1 && !link.WeightText.empty();
  std::string record;
  if (!fresh) {
    w_.Label11->SetCaption(kUnread);
    if (link.ChannelCount == 2) w_.Label21->SetCaption(kUnread);
  } else {
    const int channels = link.ChannelCount;
    const ChannelAnswer answer = CutChannelAnswer(WithoutEnd(link.WeightText), channels);
    const int mode = w_.GrossNetMode;
    if (mode == 1 || mode == 2) {
      const bool gross = mode == 1;
      w_.Label13->SetCaption(Text(gross ? ROW_GROSS_MODE : ROW_NET_MODE, Lang()));
      const ChannelWeights& c1 = answer.channels[0];
      w_.Label11->SetCaption(ChannelLine(c1.number, gross ? c1.gross : c1.net));
      if (channels == 2) {
        const ChannelWeights& c2 = answer.channels[1];
        w_.Label21->SetCaption(ChannelLine(c2.number, gross ? c2.gross : c2.net));
      }
      record = DeviceLogChannelPart(mode, FormatNow("%H:%M:%S"), answer, channels);
    }
  }

  if (SumChannelOn() == 1) {
    const bool queuedSum = Ask(CMD_READ_WEIGHT, {WEIGHT_SUM_CHANNEL});
    if (link.WeightTextSReady == 0) {
      PumpOnce();
      if (!Alive(run)) return;
      if (LinkAborted()) {
        PollingActive = 0;
        return;
      }
    }
    if (!link.WaitUntilIdle() && link.PendingCount != 0) return;
    const bool freshSum = Answered(queuedSum) && link.WeightTextSReady == 1 && !link.WeightTextS.empty();
    // A sum that did not come is logged empty, never as an earlier one.
    const std::string sumValue = freshSum ? CutSumAnswer(WithoutEnd(link.WeightTextS)) : std::string();
    if (Form1->SumDisplayEnabled != 1)
      w_.Label24->SetCaption(std::string());
    else
      w_.Label24->SetCaption(freshSum ? SumLine(SumMode(), sumValue) : kUnread);
    if (!record.empty()) log_.Write(record + DeviceLogSumPart(sumValue));
    if (!Alive(run)) return;
  } else if (!record.empty()) {
    log_.Write(record + "\n");
  }

  if (w_.InputSignalShown == 1) InputSignals();
  if (!Alive(run)) return;
  if (w_.Inkrementalwerte1->Checked()) ExtensionBoard();
  PumpOnce();
  if (!Alive(run)) return;
  ShowStatusInCurrentLanguage();
}

void ServicePolling::InputSignals() {
  TForm1& link = *Form1;
  auto read = [&](uint8_t channel, TLabel* label) {
    const uint8_t data[2] = {channel, 1};
    const bool answered = SendDeviceRequest(CMD_ADC_MILLIVOLT, data, RequestKind::Wait).answered;
    // A failed reading shows that the signal is not known, not the last one.
    label->SetCaption(answered && link.AdcMillivoltReady == 1 ? link.AdcMillivoltText : kUnread);
  };
  read(1, w_.Label23);
  if (link.ChannelCount == 2) read(2, w_.Label25);
}

void ServicePolling::ExtensionBoard() {
  const bool answered = SendDeviceRequest(CMD_READ_EXB_VALUES, {}, RequestKind::Wait).answered;
  if (Form18 == nullptr) return;
  // When the board did not answer, the window says so instead of keeping values that are no longer current.
  if (answered)
    Form18->ShowValues(Form1->ExbValues);
  else
    Form18->ShowUnread();
}
