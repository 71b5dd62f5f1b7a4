// The page "ADC CS5532 2": the device's log memory and its dump into
// "ring_count_log.txt".
#include "app/diag/runtime_viewer.h"

#include <algorithm>

#include "app/link/link_protocol.h"
#include "app/link/test_window.h"
#include "app/params/log_dump.h"
#include "app/setup/setup_text.h"
#include "platform/forms/dialog_layout.h"

namespace {

constexpr int kMaxLogValues = 8000;
constexpr char kStartCaption[] = "Werte lesen START";
constexpr char kStopCaption[] = "Werte lesen STOP";

uint8_t High(int v) { return static_cast<uint8_t>(v >> 8 & 0xFF); }
uint8_t Low(int v) { return static_cast<uint8_t>(v & 0xFF); }

}  // namespace

void TForm12::BuildLogPage() {
  const DialogLayout page(Page(PAGE_LOG));
  TGroupBox* group = page.Group("GroupBox13", "Test ADC CS5532 2", 8, 4, 500, 260);
  const DialogLayout at(group);
  at.Label("Label18", "Logspeicher", 12, 28);
  Button59 = at.Button("Button59", "Start", 12, 52, 80);
  Button59->OnClick = Handler(this, &TForm12::Button59Click);
  Button60 = at.Button("Button60", "Stop", 100, 52, 80);
  Button60->OnClick = Handler(this, &TForm12::Button60Click);
  Edit10 = at.Edit("Edit10", 200, 54, 60, 5);
  Edit10->OnExit = Handler(this, &TForm12::Edit10Exit);
  Button63 = at.Button("Button63", "Werte", 268, 52, 80);
  Button63->OnClick = Handler(this, &TForm12::Button63Click);
  Button61 = at.Button("Button61", "Max. Pointer-Wert", 12, 96, 150);
  Button61->OnClick = Handler(this, &TForm12::Button61Click);
  Label19 = at.Label("Label19", "", 172, 100, 100);
  Button62 = at.Button("Button62", kStartCaption, 12, 140, 150);
  Button62->OnClick = Handler(this, &TForm12::Button62Click);
  Button62->SetEnabled(false);
  Label20 = at.Label("Label20", "", 172, 144, 80);
  Label21 = at.Label("Label21", "", 260, 144, 220);
}

void TForm12::Button59Click(TObject* Sender) {
  Send(CMD_LOG_MEMORY, {1}, RequestKind::NoWait);
  Button62->SetEnabled(false);
}

void TForm12::Button60Click(TObject* Sender) {
  Send(CMD_LOG_MEMORY, {0}, RequestKind::NoWait);
  Button62->SetEnabled(false);
}

void TForm12::Edit10Exit(TObject* Sender) {
  if (TextToInt(Edit10->Text()) > kMaxLogValues) Edit10->SetText(std::to_string(kMaxLogValues));
}

void TForm12::Button63Click(TObject* Sender) {
  const int n = std::clamp<int>(TextToInt(Edit10->Text()), 0, kMaxLogValues);
  Send(CMD_LOG_MEMORY, {2, High(n), Low(n)}, RequestKind::Wait);
}

void TForm12::Button61Click(TObject* Sender) {
  Label19->SetCaption("");
  if (!Send(CMD_LOG_MEMORY, {3}, RequestKind::Wait)) {
    // No count: a dump would have nothing to go by.
    Label19->SetCaption("-");
    Button62->SetEnabled(false);
    return;
  }
  Label19->SetCaption(FormatInt(Form1->LogMaxPointer));
  LogEntryCount = static_cast<uint16_t>(Form1->LogMaxPointer & 0xFFFF);
  Button62->SetEnabled(true);
}

void TForm12::Button62Click(TObject* Sender) {
  Label21->SetCaption("");
  if (LogDumpRunning == 1) {
    LogDumpRunning = 0;
    return;
  }
  LogDumpFile file;
  if (!file.Create()) {
    MessageBox("Datei kann nicht angelegt werden!\n" + std::string(LOG_DUMP_FILE_NAME) + ": " + file.Error(),
               "FEHLER", MB_OK | MB_ICONERROR);
    return;
  }
  LogDumpRunning = 1;
  Button62->SetCaption(kStopCaption);
  file.Write(RuntimeViewerLogHeader());
  LogDumpSteps steps;
  steps.readEntry = [this](uint16_t index) -> std::optional<int32_t> {
    if (!Send(CMD_LOG_MEMORY, {4, High(index), Low(index)}, RequestKind::Wait)) return std::nullopt;
    return Form1->LogEntryValue;
  };
  steps.shown = [this](int row, int32_t value) {
    Label20->SetCaption(FormatInt(row));
    Label21->SetCaption(LogValueText(value));
  };
  steps.running = [this] { return LogDumpRunning == 1; };
  const LogDumpResult result = DumpLogEntries(LogEntryCount, file, steps);
  if (result.end == LogDumpEnd::EntryUnread) Label21->SetCaption("-");
  Button62->SetCaption(kStartCaption);
  const bool written = file.Close();
  LogDumpRunning = 0;
  if (!written)
    MessageBox(FileWriteErrorText(LOG_DUMP_FILE_NAME, file.ErrorCode(), 0), "FEHLER", MB_OK | MB_ICONERROR);
}
