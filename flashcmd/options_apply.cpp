#include "flashcmd/options_apply.h"

#include "flashcmd/flashcore_binding.h"
#include "flashcmd/option_checks.h"
#include "flashcmd/option_store.h"
#include "flashcmd/run_settings.h"

void applyOptions() {
  checkOptions(options, settings);
  const FlashcoreExports& isp = flashcore();
  if (options.has("-no_usbdrvchk")) isp.ispCheckUsbDriver(0);
  settings.deviceIndex = isp.ispGetDeviceIndex(settings.deviceName.c_str());
  if (options.has("-debug")) isp.ispSetDebugMode(nullptr);
  if (options.has("-logf")) {
    const std::string logFile = options.count("-logf") == 1 ? options.get("-logf", 0) : "logf.txt";
    isp.ispOpenLogFile(logFile.c_str());
  }
}
