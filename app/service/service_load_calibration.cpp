// The menu Kalibrieren: the load calibration of a channel, with the device
// prepared for it and the dialog TForm22 opened.
#include <cstdio>
#include <vector>

#include "app/diag/calibration_support.h"
#include "app/link/device_request.h"
#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/load_calibration.h"
#include "app/service/parameter_dialog_steps.h"
#include "app/service/service_window.h"
#include "app/setup/setup_messages.h"
#include "app/setup/setup_text.h"
#include "platform/clock/clock.h"

namespace {

constexpr int ROW_READ_SETUP_FIRST = 11;
constexpr int ROW_CALIBRATION_CHANNEL1 = 48;
constexpr int ROW_MULTIPOINT_CHANNEL1 = 49;
constexpr int ROW_CALIBRATION_CHANNEL2 = 50;
constexpr int ROW_MULTIPOINT_CHANNEL2 = 51;
constexpr int SETTLE_MS = 500;
// Status panels that show the ADC mode: the test window's "Mode" and the service window's.
constexpr int TEST_WINDOW_MODE_PANEL = 10;
constexpr int SERVICE_MODE_PANEL = 3;

void Ask(uint8_t command, const std::vector<uint8_t>& data) { SendRequest(*Form1, command, data, RequestKind::Wait); }

}  // namespace

void TForm21::Kanal1Click(TObject* Sender) { OpenLoadCalibration(0); }
void TForm21::Kanal2Click(TObject* Sender) { OpenLoadCalibration(1); }

void TForm21::OpenLoadCalibration(int channel) {
  if (Form1 == nullptr || Form22 == nullptr) return;
  TForm1& link = *Form1;
  TForm22& dialog = *Form22;
  dialog.Label10->SetVisible(false);
  if (DemoMode == 1) return;
  CalibrationChannel = channel;
  // Without a set-up the device could not be prepared, and the steps would
  // calibrate whichever channel it has selected.
  if (link.SetupPresent == 0) {
    ShowUntilOk(LangText(ROW_READ_SETUP_FIRST), ROW_TITLE_HINT, MB_ICONERROR);
    return;
  }
  Button5->SetEnabled(false);
  Button7->SetEnabled(false);
  link.FlushLink();

  Ask(CMD_ADC_MODE, {0, 0});
  link.StatusBar1->SetPanelText(TEST_WINDOW_MODE_PANEL, "CONT");
  StatusBar1->SetPanelText(SERVICE_MODE_PANEL, "CONT");
  Ask(CMD_SELECT_CHANNEL, {static_cast<uint8_t>(channel + 1)});
  link.ActiveChannel = channel;

  dialog.ShowChannel(channel == 0 ? ROW_CALIBRATION_CHANNEL1 : ROW_CALIBRATION_CHANNEL2);
  parameter_dialogs::SetMultipointHeading(
      LangText(channel == 0 ? ROW_MULTIPOINT_CHANNEL1 : ROW_MULTIPOINT_CHANNEL2));
  MaxEndValue = TextToInt((channel == 0 ? Edit1 : Edit3)->Text());
  char maximum[32];
  std::snprintf(maximum, sizeof maximum, "(max. %d)", MaxEndValue);
  dialog.Label9->SetCaption(maximum);
  dialog.Edit1->SetText("");

  dialog.GroupBox1->SetEnabled(false);
  platform::Clock::Sleep(SETTLE_MS);
  PollingActive = 0;
  dialog.GroupBox1->SetEnabled(true);
  dialog.Button1->SetEnabled(false);

  if (const char* unit = calibration::UnitSymbol((channel == 0 ? ComboBox1 : ComboBox5)->ItemIndex()))
    dialog.Label8->SetCaption(unit);

  if ((link.DeviceStatus & DEVICE_STATUS_ERROR) != 0) {
    // Only error bytes that this read brought tell of a bridge error.
    if (link.ReadErrorCodes() && (link.ErrorCodes[0] & 0x01) != 0) dialog.Label10->SetVisible(true);
  }
  dialog.Show();
}
