#include "platform/win/library.h"

// Loads its neighbour by its Windows name; -1 when it cannot be found.
extern "C" int WinProbeOuterLoad() {
  platform::win::Library inner(platform::win::LoadLibraryA("win_probe_inner.dll"));
  auto* value = reinterpret_cast<int (*)()>(inner.symbol("WinProbeInner"));
  return value ? value() : -1;
}
