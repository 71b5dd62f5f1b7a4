#include "flashcmd/flashcore_binding.h"

#define FLASHCMD_COUNT_EXPORT(name) +1
static_assert(0 FLASHCORE_EXPORTS(FLASHCMD_COUNT_EXPORT) == kFlashcoreExportCount);
#undef FLASHCMD_COUNT_EXPORT

FlashcoreExports& flashcore() {
  static FlashcoreExports exports;
  return exports;
}

bool bindFlashcore(platform::win::HMODULE library) {
  FlashcoreExports bound;
  bool complete = library != nullptr;
#define FLASHCMD_BIND(name)                                                                             \
  if (complete) {                                                                                       \
    bound.name = reinterpret_cast<decltype(bound.name)>(platform::win::GetProcAddress(library, #name)); \
    complete = bound.name != nullptr;                                                                   \
  }
  FLASHCORE_EXPORTS(FLASHCMD_BIND)
#undef FLASHCMD_BIND
  flashcore() = complete ? bound : FlashcoreExports{};
  return complete;
}
