// The test window's page "Gewichtswerte": weight reads once and in a loop
// with the weight log, zero, tare, tare by weight, the channel switch and
// the raw two-channel read; the error codes, the diagnosis timer and the
// log-file viewer.
#include <QObject>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/diag/error_status.h"
#include "app/diag/file_viewer.h"
#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/link/weight_log.h"
#include "platform/clock/clock.h"

namespace {

// Ticks of the diagnosis timer since its last error-code read.
int DiagnosisTickCount = 0;

// Longest line piece that the log viewer reads at a time.
constexpr int kViewerPiece = 255;

// A whole decimal number, else 0.
int DecimalOrZero(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [next, error] = std::from_chars(text.data(), end, value);
  return error == std::errc{} && next == end ? value : 0;
}

uint8_t ChannelByte(int activeChannel) { return static_cast<uint8_t>(activeChannel + 1); }

}  // namespace

void TForm1::ShowChannel(int channel) {
  if (channel == 0) {
    Button17->SetCaption("Kan.1->Kan.2");
    Label31->SetCaption("-  Kanal 1");
  } else if (channel == 1) {
    Button17->SetCaption("Kan.2->Kan.1");
    Label31->SetCaption("-  Kanal 2");
  }
}

bool TForm1::ReadWeightOnce(bool logging, WeightLog& log) {
  const uint8_t data[2] = {0, ChannelByte(ActiveChannel)};
  // The flags and the text belong to this request only.
  TransferFailed = 0;
  DeviceErrorFlag = 0;
  WeightTextReady = 0;
  if (!QueueRequest(DeviceAddress, CMD_READ_WEIGHT, data, 2, 0, 1)) return false;
  if (!WaitUntilIdle() || TransferFailed == 1 || DeviceErrorFlag == 1 || WeightTextReady == 0) return false;

  const std::string time = logging ? FormatNow("%H:%M:%S") : std::string();
  Label27->SetCaption(" ");
  Label27->SetCaption(WeightText);
  const WeightFields fields = ParseWeightText(WeightText);
  Label22->SetCaption(fields.gross);
  Label24->SetCaption(fields.net);
  Label26->SetCaption(fields.tare);
  Label29->SetCaption(fields.channel ? std::to_string(*fields.channel) : std::string());
  // Only a channel the device has is taken over.
  if (fields.channel && (*fields.channel == 1 || *fields.channel == 2)) {
    ActiveChannel = *fields.channel - 1;
    ShowChannel(ActiveChannel);
  }
  if (logging) log.AddLine(time, WeightText);
  return true;
}

void TForm1::Button9Click(TObject* Sender) {
  CheckBox3->SetVisible(true);
  bool logging = CheckBox3->Checked();
  WeightLog log;
  if (logging) {
    CheckBox3->SetEnabled(false);
    const auto report = [](const std::string& name, std::error_code cause) {
      MessageBoxUntilOk(FileWriteErrorText(name, cause, 0), "FEHLER", MB_ICONERROR);
    };
    if (!log.Open(report)) {
      logging = false;
      CheckBox3->SetEnabled(true);
      MessageBoxUntilOk("Logdatei \"" + log.Name() + "\" kann nicht angelegt werden!\n" + log.Error().message(),
                        "FEHLER", MB_ICONERROR);
    }
  }
  const int pause = std::max(0, DecimalOrZero(Edit2->Text()));
  ++weightLoopDepth_;
  do {
    ReadWeightOnce(logging, log);
    if (CheckBox2->Checked()) {
      LoopReadActive = 1;
      platform::Clock::Sleep(pause);
    }
    Application->ProcessMessages();
  } while (CheckBox2->Checked());
  --weightLoopDepth_;
  if (logging) {
    log.Close();
    CheckBox3->SetEnabled(true);
  }
  LoopReadActive = 0;
}

void TForm1::Button13Click(TObject* Sender) {
  platform::Clock::Sleep(500);
  const uint8_t data[1] = {ChannelByte(ActiveChannel)};
  QueueRequest(DeviceAddress, CMD_ZERO, data, 1, 0, 1);
}

void TForm1::Button14Click(TObject* Sender) {
  platform::Clock::Sleep(500);
  const uint8_t data[2] = {ChannelByte(ActiveChannel), static_cast<uint8_t>(CheckBox4->Checked() ? 1 : 0)};
  QueueRequest(DeviceAddress, CMD_TARE, data, 2, 0, 1);
}

void TForm1::Button15Click(TObject* Sender) {
  platform::Clock::Sleep(500);
  std::string weight = Edit3->Text().substr(0, 16);
  if (weight.empty()) {
    MessageBoxUntilOk("Kein Wert für Tariergewicht eingegeben! -> Abbruch!", "HINWEIS", MB_ICONINFORMATION);
    Edit3->SetFocus();
    return;
  }
  std::replace(weight.begin(), weight.end(), ',', '.');
  std::vector<uint8_t> data{ChannelByte(ActiveChannel)};
  data.insert(data.end(), weight.begin(), weight.end());
  QueueRequest(DeviceAddress, CMD_TARE_WEIGHT, data.data(), static_cast<int>(data.size()), 0, 1);
}

void TForm1::Button17Click(TObject* Sender) {
  const bool loopWasOn = CheckBox2->Checked();
  if (loopWasOn) {
    CheckBox2->SetChecked(false);
    ResetLink();
    platform::Clock::Sleep(250);
  }
  uint8_t newChannel;
  if (ActiveChannel == 1) {
    newChannel = 1;
    ActiveChannel = 0;
    ShowChannel(0);
    RadioButton1->SetEnabled(true);
    RadioButton1->SetChecked(true);
    RadioButton2->SetChecked(false);
    RadioButton2->SetEnabled(false);
  } else {
    // Channel 1, or a channel this window does not know: over to channel 2.
    newChannel = 2;
    ActiveChannel = 1;
    ShowChannel(1);
    RadioButton1->SetChecked(false);
    RadioButton1->SetEnabled(false);
    RadioButton2->SetEnabled(true);
    RadioButton2->SetChecked(true);
  }
  QueueRequest(DeviceAddress, CMD_SELECT_CHANNEL, &newChannel, 1, 0, 0);
  platform::Clock::Sleep(250);
  if (loopWasOn) {
    CheckBox2->SetChecked(true);
    // A read loop that is running goes on with the new channel; a second
    // one started inside it would hold the first until it ends.
    if (weightLoopDepth_ == 0) Button9Click(this);
  }
  Repaint();
}

void TForm1::Button20Click(TObject* Sender) {
  const uint8_t data[2] = {0x0A, 0};
  do {
    TransferFailed = 0;
    DeviceErrorFlag = 0;
    WeightTextReady = 0;
    if (!QueueRequest(DeviceAddress, CMD_READ_WEIGHT, data, 2, 0, 1)) return;
    if (!WaitUntilIdle() || TransferFailed == 1 || DeviceErrorFlag == 1 || WeightTextReady == 0) return;
    Label27->SetCaption(WeightText);
  } while (CheckBox1->Checked());
}

void TForm1::Label8Click(TObject* Sender) {
  ReadErrorCodes();
  if (TransferFailed == 0 && Form11 != nullptr) Form11->Show();
}

void TForm1::Label12Click(TObject* Sender) {}

void TForm1::Lesen1Click(TObject* Sender) { ReadErrorCodes(); }

void TForm1::Rcksetzen1Click(TObject* Sender) { ClearErrorCodes(); }

void TForm1::Timer5Timer(TObject* Sender) {
  ++DiagnosisTickCount;
  // An idle link is asked at every tick, a busy one at every third.
  if (PendingCount == 0 || DiagnosisTickCount >= 3) {
    DiagnosisTickCount = 0;
    ReadErrorCodes();
  }
}

void TForm1::Logdateianzeigen1Click(TObject* Sender) {
  OpenDialog2->Filter = "Text-Log|*.txt";
  OpenDialog2->FilterIndex = 0;
  OpenDialog2->InitialDir = ".";
  OpenDialog2->Execute();
  if (OpenDialog2->FileName.empty()) {
    if (MessageBox("Es wurde keine Datei gewählt! -> Abbruch?", "FRAGE", MB_YESNO | MB_ICONQUESTION) == IDYES) return;
    OpenDialog2->Execute();
  }
  const std::string name = OpenDialog2->FileName;
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file(name.empty() ? nullptr : std::fopen(name.c_str(), "r"));
  if (!file) {
    MessageBoxUntilOk("Datei \"" + name + "\" kann nicht geöffnet werden!", "FEHLER", MB_ICONERROR);
    return;
  }
  // Read in line pieces; the viewer gets the whole text once it is read.
  std::string text;
  char piece[kViewerPiece + 1];
  while (std::fgets(piece, sizeof piece, file.get()) != nullptr) text += piece;
  file.reset();
  if (Form20 == nullptr) return;
  Form20->RichEdit1->SetText(text);
  Form20->Show();
}
