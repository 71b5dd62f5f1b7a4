// The measurement loops of the ADC functions window: counts, mV and the
// scaled value, one request a cycle, repeated while the loop switch is on,
// with the counts' graph, the channel alternation and the log files.
#include <bit>
#include <cstdio>
#include <cstdlib>

#include "app/diag/adc_functions.h"
#include "app/diag/device_request.h"
#include "app/link/link_utilities.h"
#include "app/link/stream_display.h"
#include "app/link/test_window.h"
#include "platform/clock/clock.h"

namespace {

constexpr int kChannelSwitchPauseMs = 250;
const char* const kRunTimeFormat = "%A %d.%m.%y %H:%M:%S";
const char* const kStampFormat = "%d%m%Y_%H%M";
const char* const kCycleTimeFormat = "%H:%M:%S";
// What a reading shows when the device gave no valid answer to it.
const char* const kUnread = "-";

// One reading of a loop cycle: true only for a valid reply to this very request.
bool Read(uint8_t command, std::span<const uint8_t> data) {
  return SendDeviceRequest(command, data, RequestKind::Wait).answered;
}

void ShowUnread(std::initializer_list<TLabel*> labels) {
  for (TLabel* label : labels) label->SetCaption(kUnread);
}

}  // namespace

bool TForm10::BeginLoggedRun(AdcLogFile::Kind kind, AdcLogFile& log) {
  if (CheckBox2->Checked()) {
    CheckBox2->SetEnabled(false);
    const auto report = [](const std::string& name, std::error_code cause) {
      MessageBox(FileWriteErrorText(name, cause, 0), "FEHLER", MB_OK | MB_ICONERROR);
    };
    if (!log.Create(kind, TForm1::FormatNow(kStampFormat), TForm1::FormatNow(kRunTimeFormat), report)) {
      MessageBox("Datei kann nicht angelegt werden!\n" + log.Name() + ": " + log.Error().message(), "FEHLER",
                 MB_OK | MB_ICONERROR);
      CheckBox2->SetEnabled(true);
      return false;  // the run does not start
    }
  }
  CheckBox2->SetEnabled(false);
  CheckBox3->SetEnabled(false);
  return true;
}

void TForm10::EndLoggedRun(AdcLogFile& log) {
  CheckBox3->SetEnabled(true);
  if (log.IsOpen()) {
    log.Finish(TForm1::FormatNow(kRunTimeFormat));
    CheckBox2->SetEnabled(true);
  }
  Form1->LoopReadActive = 0;
}

uint8_t TForm10::LoopChannelByte(uint8_t alternation) const {
  const int channel = Form1->AdcConversionMode == 1 ? alternation : Form1->ActiveChannel;
  return static_cast<uint8_t>(channel + 1);
}

int TForm10::LoopInterval() const {
  const int interval = std::atoi(Edit1->Text().c_str());
  return interval > 0 ? interval : 0;
}

bool TForm10::NextCycle(int interval) {
  if (CheckBox1->Checked()) {
    Form1->LoopReadActive = 1;
    // The pause keeps the window and the link's events going, so that the
    // loop switch can be cleared at any time.
    Form1->WaitMs(interval);
  }
  Application->ProcessMessages();
  return CheckBox1->Checked();
}

void TForm10::AlternateChannel(uint8_t& alternation) {
  if (!CheckBox3->Checked()) return;
  TForm1& link = *Form1;
  if (link.AdcConversionMode == 0) {
    const uint8_t next = link.ActiveChannel == 0 ? 2 : 1;
    link.QueueRequest(link.DeviceAddress, CMD_SELECT_CHANNEL, &next, 1, 0, 0);
    link.Label31->SetCaption(next == 2 ? "(Kanal 2)" : "(Kanal 1)");
    link.ActiveChannel = next - 1;
    platform::Clock::Sleep(kChannelSwitchPauseMs);
  } else if (link.AdcConversionMode == 1) {
    alternation = alternation == 0 ? 1 : 0;
  }
}

void TForm10::Button6Click(TObject* Sender) {
  TForm1& link = *Form1;
  PerformanceGraph1->SetVisible(true);
  AdcLastLoop = 1;
  AdcLogFile log;
  if (!BeginLoggedRun(AdcLogFile::Kind::Counts, log)) return;
  Label11->SetCaption("");
  Label15->SetCaption("");
  countsChannel_ = static_cast<uint8_t>(link.ActiveChannel);
  const int interval = LoopInterval();
  do {
    const uint8_t channel = LoopChannelByte(countsChannel_);
    // A failed reading leaves no earlier value standing, and feeds neither graph nor log.
    if (!Read(CMD_ADC_RAW, std::span(&channel, 1))) {
      ShowUnread({Label4, Label6, Label17});
      continue;
    }
    const std::string time = TForm1::FormatNow(kCycleTimeFormat);
    const int32_t counts = link.AdcRawValue;
    const float signal = MillivoltPerVolt(counts, link.Options.cal_null_pkt, link.Options.cal_end_pkt);
    Label4->SetCaption(Format("%ld", static_cast<long>(counts)));
    Label6->SetCaption(Format("%.5f", static_cast<double>(signal)));
    Label17->SetCaption(Format("%d", link.AdcChannelAnswer));
    PerformanceGraph1->DataPoint(clRed, counts);
    PerformanceGraph1->Invalidate();
    log.WriteCounts(time, link.AdcChannelAnswer, counts, signal);
    AlternateChannel(countsChannel_);
  } while (NextCycle(interval));
  EndLoggedRun(log);
}

void TForm10::Button18Click(TObject* Sender) {
  TForm1& link = *Form1;
  AdcLastLoop = 2;
  AdcLogFile log;
  if (!BeginLoggedRun(AdcLogFile::Kind::Millivolt, log)) return;
  Label4->SetCaption("");
  Label6->SetCaption("");
  Label11->SetCaption("");
  millivoltChannel_ = static_cast<uint8_t>(link.ActiveChannel);
  const int interval = LoopInterval();
  do {
    const uint8_t data[2] = {LoopChannelByte(millivoltChannel_), 1};
    if (!Read(CMD_ADC_MILLIVOLT, data)) {
      ShowUnread({Label15, Label17});
      continue;
    }
    const std::string time = TForm1::FormatNow(kCycleTimeFormat);
    Label15->SetCaption(link.AdcMillivoltText);
    Label17->SetCaption(Format("%d", link.AdcChannelAnswer));
    log.WriteMillivolt(time, link.AdcChannelAnswer, link.AdcMillivoltText);
  } while (NextCycle(interval));
  EndLoggedRun(log);
}

void TForm10::Button16Click(TObject* Sender) {
  TForm1& link = *Form1;
  AdcLastLoop = 3;
  CheckBox2->SetVisible(false);
  Label4->SetCaption("");
  Label6->SetCaption("");
  Label15->SetCaption("");
  const int interval = LoopInterval();
  do {
    const uint8_t channel = static_cast<uint8_t>(link.ActiveChannel + 1);
    if (!Read(CMD_ADC_SCALED, std::span(&channel, 1))) {
      ShowUnread({Label11});
      continue;
    }
    const float value = std::bit_cast<float>(link.AdcScaledSwapped);
    Label11->SetCaption(Format("%f", static_cast<double>(value)));
  } while (NextCycle(interval));
  CheckBox2->SetVisible(true);
  link.LoopReadActive = 0;
}
