#pragma once
// The selection steps of a firmware update through the programming
// library: initialisation, part type and transport, each passing or failing
// in turn, and the status code fetched at the end.
#include <functional>
#include <optional>

// Declarations only: the dialog loads the library at run time and binds
// these exports by name, with their own types.
#include "flashcore/core/isp_exports.h"

namespace platform::win {
class Library;
}

// The four library functions that the firmware-flash dialog calls.
struct FlashFunctions {
  decltype(&::ispInit) ispInit;
  decltype(&::ispSelectDevice) ispSelectDevice;
  decltype(&::ispSelectCommHardware) ispSelectCommHardware;
  decltype(&::ispGetLastError) ispGetLastError;
};

// The four functions of a loaded library; nullopt when one is missing.
std::optional<FlashFunctions> BindFlashFunctions(const platform::win::Library& library);

enum class FlashStep { Init, Device, ComPort };

// What the dialog shows: a step's row when the step begins, its result when it ends.
struct FlashStepView {
  std::function<void(FlashStep)> begin;
  std::function<void(FlashStep, bool passed)> end;
};

// Runs the steps in order and stops at the first that fails; returns the
// library's last status code, fetched in every case.
int RunFlashSelection(const FlashFunctions& f, int deviceCode, int hardwareCode, const FlashStepView& view);
