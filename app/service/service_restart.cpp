// The device restart of the service window, which several windows use after
// they have changed the device's set-up.
#include <cstdlib>

#include "app/diag/address_list.h"
#include "app/link/test_window.h"
#include "app/link/text_table.h"
#include "app/service/service_window.h"
#include "app/setup/setup_image.h"
#include "platform/clock/clock.h"

namespace {

bool ZeroAtPowerOn(SetupSection channel) {
  const SetupImageBytes& image = Form1->SetupImage;
  return image[static_cast<size_t>(Info(channel).image_offset + FieldOf(channel, "enull").offset)] == 1;
}

}  // namespace

void TForm21::RestartAndReconnect() {
  if (Form1 == nullptr) return;
  ServiceConnected = 0;
  Label14->SetCaption(Text(54, Form1->Options.lang));
  Form1->FlushLink();
  Form1->ResetDevice();
  Form1->WaitUntilIdle();
  // The device is not there while it restarts; zeroing at power-on takes longest.
  int restartMs = 8000;
  if (ZeroAtPowerOn(SetupSection::WKG0) || ZeroAtPowerOn(SetupSection::WKG1))
    restartMs = 10000;
  else if (Form1->SoftResetRequested == 1)
    restartMs = 6000;
  if (Form1->DeviceType == 4) restartMs += 6500;
  platform::Clock::Sleep(restartMs);
  Form1->SoftResetRequested = 0;

  auto setPresent = [](int address, int present) {
    if (address >= 0 && address < DEVICE_ADDRESS_COUNT) Form1->RequestQueues[static_cast<size_t>(address)].Present = present;
  };
  setPresent(Form1->DeviceAddress, 0);
  const int address = std::atoi(Edit5->Text().c_str());
  // An address that names no device keeps the one in use.
  if (address >= 1 && address < ADDR_GLOBAL) Form1->DeviceAddress = address;
  setPresent(Form1->DeviceAddress, 1);
  if (Form9 != nullptr) {
    Form9->ShowDevicePresence();
    Form9->ShowCurrentAddress();
  }
  Button1Click(nullptr);
}
