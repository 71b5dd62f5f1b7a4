#include "app/link/test_window.h"

#include "app/link/link_utilities.h"
#include "platform/clock/clock.h"
#include "platform/serial/com_port.h"

TForm1* Form1 = nullptr;

namespace {

TTimer* NewTimer(TForm1* form, const char* name, int interval, bool enabled) {
  auto* timer = new TTimer(form, interval, enabled);
  timer->SetName(name);
  return timer;
}

}  // namespace

TForm1::TForm1() : comPort_(std::make_unique<TComPort>()) {
  SetName("Form1");
  SetCaption("KVT Gruppe  Meß & Vevovizidavu - VD417 Test- und Parametrierprogramm");
  SetSize(897, 648);
  Position = TPosition::poDesktopCenter;

  BuildMenus();
  BuildInformationPage();
  BuildWeightsPage();
  BuildStatusGroups();
  SetUpTransactionTimers();
  SubscribeWindows();

  StatusBar1 = new TStatusBar(this);
  StatusBar1->SetName("StatusBar1");
  const std::pair<const char*, int> panels[] = {{"RS232", 50},   {"PB_CAN", 50}, {"Timer1", 50}, {"msg_count", 50},
                                                {"adr", 50},     {"cmd", 100},   {"retrys", 50}, {"cont_idx", 50},
                                                {"COM-ERR", 55}, {"Setup", 85},  {"Mode", 50},   {"SW-Ver", 50},
                                                {"", 50}};
  for (const auto& [text, width] : panels) StatusBar1->AddPanel(text, width);
  StatusBar1->SetPanelStyle(8, TStatusPanelStyle::psOwnerDraw);
  StatusBar1->OnDrawPanel = [this](TStatusBar* bar, TStatusPanel* panel, const TRect& rect) {
    StatusBar1DrawPanel(bar, panel, rect);
  };

  Timer1 = NewTimer(this, "Timer1", 333, true);
  Timer1->OnTimer = Handler(this, &TForm1::Timer1Timer);
  Timer2 = NewTimer(this, "Timer2", 0, false);
  Timer2->OnTimer = Handler(this, &TForm1::Timer2Timer);
  Timer3 = NewTimer(this, "Timer3", 1000, false);
  Timer3->OnTimer = Handler(this, &TForm1::Timer3Timer);
  streamTexts_ = std::make_unique<PacedWrite>(this, kDisplayFrameMs, [this] { ShowStreamReading(); });
  streamTrace_ = std::make_unique<PacedWrite>(this, kDisplayFrameMs, [this] { ShowStreamTrace(); });
  Timer4 = NewTimer(this, "Timer4", 2000, false);
  Timer4->OnTimer = Handler(this, &TForm1::Timer4Timer);
  Timer5 = NewTimer(this, "Timer5", 5000, false);
  Timer5->OnTimer = Handler(this, &TForm1::Timer5Timer);
  Timer6 = NewTimer(this, "Timer6", 7500, true);
  Timer6->OnTimer = Handler(this, &TForm1::Timer6Timer);
  Timer7 = NewTimer(this, "Timer7", 1000, false);
  Timer7->OnTimer = Handler(this, &TForm1::Timer7Timer);
  Timer8 = NewTimer(this, "Timer8", 1000, false);
  Timer8->OnTimer = Handler(this, &TForm1::Timer8Timer);

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  SaveDialog1 = new TSaveDialog(this);
  SaveDialog1->SetName("SaveDialog1");
  OpenDialog2 = new TOpenDialog(this);
  OpenDialog2->SetName("OpenDialog2");

  ComPort1 = comPort_.get();
  ComPort1->OnRxChar = [this](TObject* sender, int count) { ComPort1RxChar(sender, count); };
  ComPort1->OnTxEmpty = Handler(this, &TForm1::ComPort1TxEmpty);
  ComPort1->OnAfterOpen = Handler(this, &TForm1::ComPort1AfterOpen);
  ComPort1->OnError = [this](TObject* sender, int errors) { ComPort1Error(sender, errors); };

  OnActivate = Handler(this, &TForm1::FormActivate);
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

TForm1::~TForm1() {
  // The port's events must not reach a form that is going away.
  ComPort1->OnRxChar = nullptr;
  ComPort1->OnTxEmpty = nullptr;
  ComPort1->OnAfterOpen = nullptr;
  ComPort1->OnError = nullptr;
  ComPort1->Close();
  // A trace still running keeps what it holds.
  CloseTraceFile();
}

void TForm1::StatusBar1DrawPanel(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect) {
  TCanvas* canvas = StatusBar->Canvas();
  if (canvas == nullptr) return;
  canvas->BrushColor = clRed;
  // Only the panel's own rectangle is filled.
  canvas->FillRect(Rect);
  canvas->TextRect(Rect, Rect.Left, Rect.Top, StatusBar->Panel(8).Text);
}

uint32_t TForm1::SwapInt32(uint32_t value) { return ::SwapInt32(value); }
uint16_t TForm1::SwapInt16(uint16_t value) { return ::SwapInt16(value); }
float TForm1::SwapFloat(uint32_t pattern) { return ::SwapFloat(pattern); }
int TForm1::RoundToInt(float x) { return ::RoundToInt(x); }
uint32_t TForm1::HexTextToValue(const std::string& text) { return ::HexTextToValue(text); }
std::string TForm1::FormatNow(const char* format) { return ::FormatNow(format); }

uint16_t TForm1::TelegramChecksum(const uint8_t* bytes, int count) {
  if (bytes == nullptr || count <= 0) return 0xFFFF;
  return ::TelegramChecksum(std::span<const uint8_t>(bytes, static_cast<size_t>(count)));
}

int64_t TForm1::NowMs() { return platform::Clock::NowMs(); }

int TForm1::ElapsedMs(int64_t startMs) {
  const int64_t elapsed = platform::Clock::NowMs() - startMs;
  return static_cast<int>(elapsed < 0 ? -elapsed : elapsed);
}
