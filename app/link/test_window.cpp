#include "app/link/test_window.h"

#include "platform/serial/com_port.h"

// The stream texts are paced as the graph beside them is painted.
static_assert(DeviceLink::kDisplayFramesPerSecond == TPerformanceGraph::kFramesPerSecond);

TForm1::TForm1() {
  SetName("Form1");
  SetCaption("KVT Gruppe  Meß & Vevovizidavu - VD417 Test- und Parametrierprogramm");
  SetSize(897, 648);
  Position = TPosition::poDesktopCenter;

  BuildMenus();
  BuildInformationPage();
  BuildWeightsPage();
  BuildStatusGroups();
  SubscribeWindows();
  TraceWindowOn = [this] { return RS232Fenster1->Checked(); };
  TraceTextOn = [this] { return RS232Daten1->Checked(); };

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

  Timer3 = NewNamedTimer(this, "Timer3", 1000, false);
  Timer3->OnTimer = Handler(this, &TForm1::Timer3Timer);
  streamTexts_ = std::make_unique<PacedWrite>(this, kDisplayFrameMs, [this] { ShowStreamReading(); });
  Timer5 = NewNamedTimer(this, "Timer5", 5000, false);
  Timer5->OnTimer = Handler(this, &TForm1::Timer5Timer);
  Timer7 = NewNamedTimer(this, "Timer7", 1000, false);
  Timer7->OnTimer = Handler(this, &TForm1::Timer7Timer);
  Timer8 = NewNamedTimer(this, "Timer8", 1000, false);
  Timer8->OnTimer = Handler(this, &TForm1::Timer8Timer);

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  SaveDialog1 = new TSaveDialog(this);
  SaveDialog1->SetName("SaveDialog1");
  OpenDialog2 = new TOpenDialog(this);
  OpenDialog2->SetName("OpenDialog2");

  ComPort1->OnAfterOpen = Handler(this, &TForm1::ComPort1AfterOpen);
  ComPort1->OnError = [this](TObject* sender, int errors) { ComPort1Error(sender, errors); };

  OnActivate = Handler(this, &TForm1::FormActivate);
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

TForm1::~TForm1() = default;

void TForm1::StatusBar1DrawPanel(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect) {
  TCanvas* canvas = StatusBar->Canvas();
  if (canvas == nullptr) return;
  canvas->BrushColor = clRed;
  // Only the panel's own rectangle is filled.
  canvas->FillRect(Rect);
  canvas->TextRect(Rect, Rect.Left, Rect.Top, StatusBar->Panel(8).Text);
}
