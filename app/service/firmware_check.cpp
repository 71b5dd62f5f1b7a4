// The firmware classification of the service window, run by every device identification.
#include "app/link/firmware_version.h"
#include "app/link/test_window.h"
#include "app/service/service_window.h"

int TForm21::CheckFirmwareVersion() {
  if (Form1 == nullptr) return 0;
  const FirmwareJudgement j = JudgeFirmwareVersion(Form1->FirmwareVersionText);
  Form1->ShortSdcontList = j.shortSdcontList ? 1 : 0;
  Form1->FirmwareBelow106 = j.shortSdcontList ? 0 : 1;
  Form1->NoFiveDecimals = j.noFiveDecimals ? 1 : 0;
  return j.series0 ? 1 : 0;
}
