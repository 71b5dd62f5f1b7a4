// The traffic trace: the traffic monitor's boxes, the reply field of the
// test window and the trace file "rs232_log.txt".
#include <cstdio>

#include "app/diag/traffic_monitor.h"
#include "app/link/test_window.h"
#include "app/service/service_window.h"

namespace {

constexpr const char* kTraceFileName = "rs232_log.txt";
constexpr const char* kReceivedHexLine = "Device->PC (B): %s\n";
constexpr const char* kReceivedCharLine = "Device->PC (A): %s\n";

}  // namespace

bool TForm1::OpenTraceFile() {
  Rs232LogFile.reset(std::fopen(kTraceFileName, "w+"));
  if (!Rs232LogFile) {
    Rs232LoggingOn = 0;
    return false;
  }
  Rs232LoggingOn = 1;
  std::fputs("Device - RS232-Logging\n\n", Rs232LogFile.get());
  std::fprintf(Rs232LogFile.get(), "Start: %s\n\n", FormatNow("%A %d.%m.%y %H:%M:%S").c_str());
  std::fflush(Rs232LogFile.get());
  return true;
}

void TForm1::CloseTraceFile() {
  Rs232LoggingOn = 0;
  Rs232LogFile.reset();
}

void TForm1::WriteTraceLog(const char* format, const std::string& line, bool flush) {
  if (Rs232LoggingOn != 1 || !Rs232LogFile) return;
  std::fprintf(Rs232LogFile.get(), format, line.c_str());
  if (flush) std::fflush(Rs232LogFile.get());
}

void TForm1::TraceSent(std::span<const uint8_t> bytes) {
  if (ExpertView == 1 && Form21 != nullptr) Form21->StatusBar1->SetPanelText(4, "");
  if (!RS232Fenster1->Checked()) return;
  const std::string hex = HexTraceLine(bytes);
  const std::string chars = CharTraceLine(bytes);
  if (Form5 != nullptr) {
    Form5->Memo1->SetText(hex);
    Form5->Memo2->SetText(chars);
  }
  WriteTraceLog("PC->Device (B): %s\n", hex);
  WriteTraceLog("PC->Device (A): %s\n", chars);
}

void TForm1::TraceReceived(std::span<const uint8_t> hexBytes, std::span<const uint8_t> charBytes, bool reply) {
  streamTrace_->Cancel();  // a stream frame not yet shown is older
  ShowReceived(hexBytes, charBytes, reply);
  LogReceived(hexBytes, charBytes, true);
}

void TForm1::ShowReceived(std::span<const uint8_t> hexBytes, std::span<const uint8_t> charBytes, bool reply) {
  if (RS232Daten1->Checked()) {
    const std::string hex = HexTraceLine(hexBytes);
    Edit1->SetText(hex);
    if (reply && ExpertView == 1 && Form21 != nullptr) Form21->StatusBar1->SetPanelText(4, hex);
  }
  if (RS232Fenster1->Checked() && Form5 != nullptr) {
    Form5->Memo3->SetText(HexTraceLine(hexBytes));
    Form5->Memo4->SetText(CharTraceLine(charBytes));
  }
}

void TForm1::LogReceived(std::span<const uint8_t> hexBytes, std::span<const uint8_t> charBytes, bool flush) {
  if (!RS232Fenster1->Checked() || Rs232LoggingOn != 1) return;
  WriteTraceLog(kReceivedHexLine, HexTraceLine(hexBytes), flush);
  WriteTraceLog(kReceivedCharLine, CharTraceLine(charBytes), flush);
}

void TForm1::ShowStreamTrace() {
  // Each frame's lines replace those before: the newest frame stands for its batch.
  ShowReceived(streamTraceFrame_, streamTraceFrame_, false);
}
