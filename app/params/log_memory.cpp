#include "app/params/log_memory.h"

#include <cstdio>
#include <optional>

#include "app/diag/calibration_support.h"
#include "app/link/test_window.h"
#include "app/params/log_dump.h"
#include "app/program/text_table.h"
#include "app/setup/setup_messages.h"
#include "app/setup/setup_text.h"
#include "platform/forms/dialog_layout.h"

TForm25* Form25 = nullptr;

namespace {

enum LogCommand : uint8_t {
  LOG_STOP = 0,
  LOG_START = 1,
  LOG_VALUES = 2,
  LOG_COUNT = 3,
  LOG_ENTRY = 4,
  LOG_HEADER = 5,
  LOG_RING_COUNTER = 0x63,
};

constexpr int ROW_READ_STOP = 345;
constexpr int ROW_READ_START = 346;

int Lang() { return Form1 != nullptr ? Form1->Options.lang : 0; }

void ShowError(const std::string& text) { ShowUntilOk(text, ROW_TITLE_ERROR, MB_ICONERROR); }

// Queues a log-memory request with its answer awaited; `wait`: and waits
// until the queue is idle. True when it was answered without device error.
bool Ask(std::initializer_list<uint8_t> data, bool wait = true) {
  return calibration::Send(CMD_LOG_MEMORY, std::vector<uint8_t>(data), true, wait);
}

uint8_t High(unsigned v) { return static_cast<uint8_t>(v >> 8 & 0xFF); }
uint8_t Low(unsigned v) { return static_cast<uint8_t>(v & 0xFF); }

// The header lines of the dialog's dump; the log start from header bytes 1..6
// (second, minute, hour, day, month, year), "-" when the header was not read.
std::string DumpHeader(const std::optional<std::array<uint8_t, 10>>& header) {
  char start[64] = "Start: -\n\n";
  if (header) {
    const std::array<uint8_t, 10>& h = *header;
    std::snprintf(start, sizeof start, "Start: %02d.%02d.%02d %02d:%02d:%02d\n\n", h[4], h[5], h[6], h[3], h[2], h[1]);
  }
  return std::string("Gerät/Device - Logspeicher/Log memory -> Teile/counts \n\n") + start +
         "Index;long-Wert/Val(dec);long-Wert/Val(hex)\n" + std::string(43, '-') + "\n\n";
}

}  // namespace

TForm25::TForm25() {
  SetName("Form25");
  SetCaption("Logfunktionen - Kanal 1");
  SetClientSize(420, 250);

  const DialogLayout g(this);
  Label18 = g.Label("Label18", "Logspeicher - Kanal 1", 16, 12, 300);
  Label18->Font().SetBold(true);
  Button59 = g.Button("Button59", "Start", 16, 40, 90);
  Button60 = g.Button("Button60", "Stop", 114, 40, 90);
  Edit10 = g.Edit("Edit10", 230, 42, 60, 5);
  Button63 = g.Button("Button63", "Werte", 298, 40, 90);
  Button61 = g.Button("Button61", "Max. Pointer-Wert", 16, 80, 188);
  Label19 = g.Label("Label19", "", 220, 85, 180);
  Button62 = g.Button("Button62", "Werte lesen START", 16, 120, 188);
  Button62->SetEnabled(false);
  Label20 = g.Label("Label20", "", 220, 118, 180);
  Label21 = g.Label("Label21", "", 220, 136, 190);
  Button2 = g.Button("Button2", "Ringspeicherzähler", 16, 164, 188);
  Label1 = g.Label("Label1", "", 220, 169, 180);
  Button1 = g.Button("Button1", "Beenden", 298, 210, 106);
  ShowExpertControls(false);

  Button59->OnClick = Handler(this, &TForm25::Button59Click);
  Button60->OnClick = Handler(this, &TForm25::Button60Click);
  Button63->OnClick = Handler(this, &TForm25::Button63Click);
  Button61->OnClick = Handler(this, &TForm25::Button61Click);
  Button62->OnClick = Handler(this, &TForm25::Button62Click);
  Button2->OnClick = Handler(this, &TForm25::Button2Click);
  Button1->OnClick = Handler(this, &TForm25::Button1Click);
}

void TForm25::ShowExpertControls(bool visible) {
  for (TControl* c : std::initializer_list<TControl*>{Edit10, Button63, Button2, Label1}) c->SetVisible(visible);
}

void TForm25::Button59Click(TObject* Sender) {
  // The link shows "OK!" once the device has answered.
  Ask({LOG_START}, false);
  Button62->SetEnabled(false);
}

void TForm25::Button60Click(TObject* Sender) {
  Ask({LOG_STOP}, false);
  Button62->SetEnabled(false);
}

void TForm25::Button63Click(TObject* Sender) {
  const unsigned n = static_cast<unsigned>(TextToInt(Edit10->Text()));
  Ask({LOG_VALUES, High(n), Low(n)});
}

void TForm25::Button61Click(TObject* Sender) {
  Label19->SetCaption("");
  // Without a count of this device's log there is nothing to dump.
  LogMaxPointer = 0;
  Button62->SetEnabled(false);
  if (!Ask({LOG_COUNT})) {
    Label19->SetCaption("-");
    return;
  }
  // The count is unsigned: a log of 32768 entries or more is dumped whole.
  LogMaxPointer = static_cast<uint16_t>(Form1->LogMaxPointer);
  Label19->SetCaption(std::to_string(Form1->LogMaxPointer));
  Button62->SetEnabled(true);
}

void TForm25::Button2Click(TObject* Sender) {
  Label1->SetCaption("");
  if (!Ask({LOG_RING_COUNTER})) {
    Label1->SetCaption("-");
    return;
  }
  Label1->SetCaption(std::to_string(static_cast<int32_t>(Form1->LogRingCounter)));
}

void TForm25::Button62Click(TObject* Sender) {
  Label21->SetCaption("");
  if (LogReadRunning == 1) {
    LogReadRunning = 0;
    return;
  }
  RunDump();
}

void TForm25::RunDump() {
  LogDumpFile file;
  if (!file.Create()) {
    ShowError(std::string(ByLanguage(Lang(), "Datei \"", "File \"")) + LOG_DUMP_FILE_NAME +
                ByLanguage(Lang(), "\" kann nicht angelegt werden! (", "\" cannot be created! (") + file.Error() + ")");
    return;
  }
  LogReadRunning = 1;
  Button62->SetCaption(Text(ROW_READ_STOP, Lang()));

  std::optional<std::array<uint8_t, 10>> header;
  if (Ask({LOG_HEADER})) header = Form1->LogHeader;
  LogHeader = header.value_or(std::array<uint8_t, 10>{});
  file.Write(DumpHeader(header));

  LogDumpSteps steps;
  steps.readEntry = [](uint16_t index) -> std::optional<int32_t> {
    if (!Ask({LOG_ENTRY, High(index), Low(index)})) return std::nullopt;
    return Form1->LogEntryValue;
  };
  steps.shown = [this](int row, int32_t value) {
    Label20->SetCaption(std::to_string(row));
    Label21->SetCaption(LogValueText(value));
  };
  steps.running = [this] { return LogReadRunning == 1; };
  const LogDumpResult result = DumpLogEntries(LogMaxPointer, file, steps);

  Button62->SetCaption(Text(ROW_READ_START, Lang()));
  LogReadRunning = 0;
  const bool written = file.Close();
  if (result.end == LogDumpEnd::EntryUnread) {
    const std::string entry = std::to_string(result.rows + 1);
    ShowError(ByLanguage(Lang(), "Eintrag ", "Entry ") + entry +
                ByLanguage(Lang(), " konnte nicht gelesen werden: die Datei endet davor.",
                           " could not be read: the file ends before it."));
  }
  if (!written) ShowError(FileWriteErrorText(LOG_DUMP_FILE_NAME, file.ErrorCode(), Lang()));
}

void TForm25::Button1Click(TObject* Sender) { Close(); }

void TForm25::ChangeLanguage() {
  const int lang = Lang();
  SetCaption(Text(347, lang));
  Label18->SetCaption(Text(348, lang));
  Button59->SetCaption(Text(349, lang));
  Button60->SetCaption(Text(350, lang));
  Button63->SetCaption(Text(351, lang));
  Button61->SetCaption(Text(352, lang));
  Button62->SetCaption(Text(353, lang));
  Button2->SetCaption(Text(354, lang));
  Button1->SetCaption(Text(355, lang));
}
