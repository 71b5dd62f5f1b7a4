// A stand-in programming library that lacks its last export: the
// programmer must refuse it as it refuses a missing library.
#include "flashcmd/flashcore_export_names.h"

#define DEFINE_EXPORT(name) \
  extern "C" __attribute__((visibility("default"))) int name() { return 0; }
#define ispSelectProtocol ispSelectProtocolMissing
FLASHCORE_EXPORTS(DEFINE_EXPORT)
