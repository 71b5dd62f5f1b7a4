// The device restart of the service window, which several windows use after
// they have changed the device's set-up, and the hardware-reset entry.
#include <cstdlib>
#include <initializer_list>

#include "app/diag/address_list.h"
#include "app/link/setup_image.h"
#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/restart_wait.h"
#include "app/service/service_window.h"
#include "platform/clock/clock.h"

namespace {

constexpr int ROW_RESTARTING = 54;
constexpr int ROW_CONNECT = 152;

bool ZeroAtPowerOn(SetupSection channel) {
  const SetupImageBytes& image = Form1->SetupImage;
  return image[static_cast<size_t>(Info(channel).image_offset + FieldOf(channel, "enull").offset)] == 1;
}

void SetPresent(int address, int present) {
  if (address >= 0 && address < DEVICE_ADDRESS_COUNT)
    Form1->RequestQueues[static_cast<size_t>(address)].Present = present;
}

}  // namespace

void TForm21::RestartAndReconnect() {
  if (Form1 == nullptr) return;
  TForm1& link = *Form1;
  const int lang = link.Options.lang;
  ServiceConnected = 0;
  ++connectCount_;
  Button3->SetEnabled(false);
  Button4->SetEnabled(false);
  for (TControl* control : std::initializer_list<TControl*>{Button5, Button7, Label11, Label21, Label12, Label24})
    control->SetVisible(false);
  if (InputSignalShown == 1) {
    Label23->SetCaption("");
    Label25->SetCaption("");
  }
  for (TLabel* label : {Label18, Label22, Label13, Label16, Label17}) label->SetCaption("");
  Label26->SetVisible(false);
  link.FlushLink();
  // The polling run ends here, so that the reconnect starts the only one.
  Polling->EndIfStopped();
  Label14->SetCaption(Text(ROW_RESTARTING, lang));
  Button1->SetEnabled(false);

  ResetAndAwaitRestart();

  Label14->SetCaption("");
  Button1->SetCaption(Text(ROW_CONNECT, lang));
  Button1->SetEnabled(true);
  Button1->SetFocus();
  link.SoftResetRequested = 0;

  SetPresent(link.DeviceAddress, 0);
  const int address = std::atoi(Edit5->Text().c_str());
  // An address that names no device keeps the one in use.
  if (address >= 1 && address < ADDR_GLOBAL) link.DeviceAddress = address;
  SetPresent(link.DeviceAddress, 1);
  if (Form9 != nullptr) {
    Form9->ShowDevicePresence();
    Form9->ShowCurrentAddress();
  }
  Button6->SetVisible(false);
  // The program ends: the device restarts with its new set-up, nobody polls it.
  if (programEnding_) return;
  Button1Click(nullptr);
}

void TForm21::ResetAndAwaitRestart() {
  TForm1& link = *Form1;
  const RestartConditions conditions{
      .powerOnZeroing = ZeroAtPowerOn(SetupSection::WKG0) || ZeroAtPowerOn(SetupSection::WKG1),
      .softReset = link.SoftResetRequested == 1,
      .deviceType = link.DeviceType};
  link.ResetDevice();
  link.WaitUntilIdle();  // the reset telegram has gone out
  // The device is not there while it restarts; the window waits without reacting.
  for (int ms : RestartWaits(conditions)) platform::Clock::Sleep(ms);
}

void TForm21::ResetVD4171Click(TObject* Sender) {
  if (DemoMode == 1 || Form1 == nullptr) return;
  Form1->SoftResetRequested = 0;
  RestartAndReconnect();
}
