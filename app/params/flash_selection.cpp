#include "app/params/flash_selection.h"

#include "platform/win/library.h"

std::optional<FlashFunctions> BindFlashFunctions(const platform::win::Library& library) {
  FlashFunctions f{};
  f.ispInit = reinterpret_cast<bool (*)()>(library.symbol("ispInit"));
  f.ispSelectDevice = reinterpret_cast<bool (*)(int)>(library.symbol("ispSelectDevice"));
  f.ispSelectCommHardware = reinterpret_cast<bool (*)(int)>(library.symbol("ispSelectCommHardware"));
  f.ispGetLastError = reinterpret_cast<int (*)()>(library.symbol("ispGetLastError"));
  if (!f.ispInit || !f.ispSelectDevice || !f.ispSelectCommHardware || !f.ispGetLastError) return std::nullopt;
  return f;
}

int RunFlashSelection(const FlashFunctions& f, int deviceCode, int hardwareCode, const FlashStepView& view) {
  const auto step = [&](FlashStep s, const std::function<bool()>& call) {
    view.begin(s);
    const bool passed = call();
    view.end(s, passed);
    return passed;
  };
  (void)(step(FlashStep::Init, [&] { return f.ispInit(); }) &&
         step(FlashStep::Device, [&] { return f.ispSelectDevice(deviceCode); }) &&
         step(FlashStep::ComPort, [&] { return f.ispSelectCommHardware(hardwareCode); }));
  return f.ispGetLastError();
}
