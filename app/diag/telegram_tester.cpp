#include "app/diag/telegram_tester.h"

#include <algorithm>
#include <vector>

#include "app/diag/tester_frame.h"
#include "app/link/test_window.h"
#include "platform/forms/control_placement.h"
#include "platform/forms/dialog_layout.h"
#include "platform/serial/com_port.h"
#include "platform/serial/com_port_error.h"

TForm4* Form4 = nullptr;

namespace {

constexpr int kReplyWaitMs = 5000;
constexpr int kPollMs = 10;
const char* const kTitle = "Test RS232";

// Holds the port for the tester's send and reply: the queue tick neither
// closes the port nor sends a telegram of its own until the wait is over.
class PortHold {
 public:
  explicit PortHold(TForm1& link) : link_(link), paused_(link.QueuePaused) { link_.QueuePaused = 1; }
  ~PortHold() { link_.QueuePaused = paused_; }
  PortHold(const PortHold&) = delete;
  PortHold& operator=(const PortHold&) = delete;

 private:
  TForm1& link_;
  int paused_;
};

}  // namespace

TForm4::TForm4() {
  SetName("Form4");
  SetCaption("Test RS232");
  SetSize(560, 384);
  GroupBox2 = DialogLayout(this).Group("GroupBox2", "Telegramm   PC -> VD417", 8, 8, 536, 296);
  const DialogLayout group(GroupBox2);
  Label2 = PlaceControl<TLabel>(GroupBox2, "Label2", 10, 22, 300, 16, "Sendestring  VD417 -> PC (OHNE CSum):");
  Edit7 = group.Edit("Edit7", 10, 42, 420);
  Button5 = group.Button("Button5", "Senden", 440, 40, 86);
  ListBox1 = PlaceControl<TListBox>(GroupBox2, "ListBox1", 10, 74, 420, 150);
  Button6 = group.Button("Button6", "Copy", 440, 74, 86);
  Button3 = group.Button("Button3", "Clear", 440, 106, 86);
  Label1 = PlaceControl<TLabel>(GroupBox2, "Label1", 10, 236, 300, 16, "Antwort  VD417 -> PC:");
  Edit8 = group.Edit("Edit8", 10, 256, 420);
  Edit8->Font().SetColor(clNavy);
  Clear = group.Button("Clear", "Clear", 440, 254, 86);
  Button1 = PlaceControl<TButton>(this, "Button1", 444, 314, 100, 28, "ENDE");

  Button5->OnClick = Handler(this, &TForm4::Button5Click);
  Button6->OnClick = Handler(this, &TForm4::Button6Click);
  ListBox1->OnDblClick = Handler(this, &TForm4::ListBox1SelectLine);
  Button3->OnClick = Handler(this, &TForm4::Button3Click);
  Clear->OnClick = Handler(this, &TForm4::ClearClick);
  Edit7->OnClick = Handler(this, &TForm4::Edit7SelectAll);
  Edit7->OnDblClick = Handler(this, &TForm4::Edit7SelectAll);
  Button1->OnClick = Handler(this, &TForm4::Button1Click);
}

void TForm4::Button5Click(TObject* Sender) {
  TForm1& link = *Form1;
  const std::string text = Edit7->Text();
  // A line that does not make a frame is refused before the port is touched.
  const TesterLine line = ParseTesterLine(text);
  if (!line.error.empty()) {
    MessageBox(line.error, kTitle, MB_OK | MB_ICONERROR);
    return;
  }
  PortHold hold(link);
  // A transaction on its way ends first; the queue starts no other.
  while (link.Phase() != TForm1::LinkPhase::Idle) link.WaitMs(kPollMs);
  TComPort& port = *link.ComPort1;
  try {
    if (port.Connected()) port.Close();
    port.Open();
  } catch (const EComPort& error) {
    link.SetPortState(false);
    MessageBox(error.what(), kTitle, MB_OK | MB_ICONERROR);
    return;
  }
  link.SetPortState(true);
  port.ClearBuffer(true, true);
  Edit8->Clear();
  link.ResetReceiveState();

  const std::vector<uint8_t> frame = BuildTesterFrame(line.values);
  try {
    port.Write(frame.data(), static_cast<int>(frame.size()));
  } catch (const EComPort& error) {
    MessageBox(error.what(), kTitle, MB_OK | MB_ICONERROR);
    return;
  }
  ListBox1->AddItem(text);

  link.SetSoftTimer(2, kReplyWaitMs, 1);
  while (link.RxFrameComplete == 0 && link.SoftTimer2Running == 1) link.WaitMs(kPollMs);
  if (link.RxFrameComplete == 0) return;  // no reply: the field stays empty
  link.SetSoftTimer(2, 0, 0);
  // The frame from STX to ETX as the receive handler gathered it.
  const size_t length = std::min(static_cast<size_t>(link.RxCount) + 2, link.RxBuffer.size());
  Edit8->SetText(HexGroups(link.RxBuffer.data(), length));
  if (port.Connected()) port.Close();
  link.SetPortState(false);
}

void TForm4::Button6Click(TObject* Sender) {
  const int index = ListBox1->ItemIndex();
  if (index < 0) return;
  Edit7->Clear();
  Edit7->SetText(ListBox1->Item(index));
}

void TForm4::ListBox1SelectLine(TObject* Sender) { Button6Click(Sender); }

void TForm4::Button3Click(TObject* Sender) { ListBox1->ClearItems(); }

void TForm4::ClearClick(TObject* Sender) { Edit8->Clear(); }

void TForm4::Edit7SelectAll(TObject* Sender) { Edit7->SelectAll(); }

void TForm4::Button1Click(TObject* Sender) { Close(); }
