#include "app/params/flash_selection.h"

#include "platform/win/library.h"

#include <type_traits>

std::optional<FlashFunctions> BindFlashFunctions(const platform::win::Library& library) {
  FlashFunctions f{};
  const auto bind = [&library](auto& function, const char* name) {
    function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.symbol(name));
  };
  bind(f.ispInit, "ispInit");
  bind(f.ispSelectDevice, "ispSelectDevice");
  bind(f.ispSelectCommHardware, "ispSelectCommHardware");
  bind(f.ispGetLastError, "ispGetLastError");
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
