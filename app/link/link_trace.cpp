// The traffic trace: the frames reported to the windows that show them,
// and the trace file "rs232_log.txt".
#include <QTimer>

#include "app/link/device_link.h"
#include "app/link/message_box.h"
#include "app/program/text_table.h"
#include "platform/forms/component.h"
#include "platform/forms/dialogs.h"

namespace {

constexpr const char* kTraceFileName = "rs232_log.txt";

}  // namespace

bool DeviceLink::OpenTraceFile() {
  // An earlier trace keeps its name until this one is closed complete.
  auto file = std::make_unique<LogFile>();
  const bool open = file->Open(kTraceFileName, [this](const std::string& name, std::error_code cause) {
    ReportFileWriteError(name, cause);
  });
  if (!open) {
    Rs232LoggingOn = 0;
    Rs232LogFile.reset();
    return false;
  }
  Rs232LogFile = std::move(file);
  Rs232LoggingOn = 1;
  Rs232LogFile->Write("Device - RS232-Logging\n\n");
  Rs232LogFile->Write("Start: " + FormatNow("%A %d.%m.%y %H:%M:%S") + "\n\n");
  return true;
}

void DeviceLink::CloseTraceFile() {
  Rs232LoggingOn = 0;
  if (Rs232LogFile) Rs232LogFile->Close();
  Rs232LogFile.reset();
}

void DeviceLink::ReportFileWriteError(const std::string& name, std::error_code cause) {
  // Not from inside a transfer: the box waits for the user.
  QTimer::singleShot(0, timers_.get(), [this, text = FileWriteErrorText(name, cause, Lang())] {
    ShowUntilOk(text, ROW_TITLE_ERROR, MB_ICONERROR);
  });
}

void DeviceLink::WriteTraceLog(const char* label, const std::string& line) {
  if (Rs232LoggingOn != 1 || !Rs232LogFile) return;
  Rs232LogFile->Write(label + std::string(CText(line)) + "\n");
}

void DeviceLink::TraceSent(std::span<const uint8_t> bytes) {
  if (ExpertView == 1) Events.Notify([](LinkListener& l) { l.ExpertReplyLine(""); });
  if (!TraceWindowOn()) return;
  const std::string hex = HexTraceLine(bytes);
  const std::string chars = CharTraceLine(bytes);
  Events.Notify([&](LinkListener& l) { l.FrameSent(hex, chars); });
  WriteTraceLog("PC->Device (B): ", hex);
  WriteTraceLog("PC->Device (A): ", chars);
}

void DeviceLink::TraceReceived(std::span<const uint8_t> hexBytes, std::span<const uint8_t> charBytes, bool reply) {
  streamTrace_->Cancel();  // a stream frame not yet shown is older
  ShowReceived(hexBytes, charBytes, reply);
  LogReceived(hexBytes, charBytes);
}

void DeviceLink::ShowReceived(std::span<const uint8_t> hexBytes, std::span<const uint8_t> charBytes, bool reply) {
  if (TraceTextOn()) {
    const std::string hex = HexTraceLine(hexBytes);
    Events.Notify([&](LinkListener& l) { l.ReceivedText(hex); });
    if (reply && ExpertView == 1) Events.Notify([&](LinkListener& l) { l.ExpertReplyLine(hex); });
  }
  if (TraceWindowOn()) {
    const std::string hex = HexTraceLine(hexBytes);
    const std::string chars = CharTraceLine(charBytes);
    Events.Notify([&](LinkListener& l) { l.FrameReceived(hex, chars); });
  }
}

void DeviceLink::LogReceived(std::span<const uint8_t> hexBytes, std::span<const uint8_t> charBytes) {
  if (!TraceWindowOn() || Rs232LoggingOn != 1) return;
  WriteTraceLog("Device->PC (B): ", HexTraceLine(hexBytes));
  WriteTraceLog("Device->PC (A): ", CharTraceLine(charBytes));
}

void DeviceLink::ShowStreamTrace() {
  // Each frame's lines replace those before: the newest frame stands for its batch.
  ShowReceived(streamTraceFrame_, streamTraceFrame_, false);
}
