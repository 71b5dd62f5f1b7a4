#pragma once
// The programming library as the programmer reaches it: one function pointer
// per export, resolved by name from the loaded library.
#include "flashcmd/flashcore_export_names.h"
#include "flashcore/core/isp_exports.h"
#include "platform/win/library.h"

struct FlashcoreExports {
#define FLASHCMD_EXPORT_MEMBER(name) decltype(&::name) name = nullptr;
  FLASHCORE_EXPORTS(FLASHCMD_EXPORT_MEMBER)
#undef FLASHCMD_EXPORT_MEMBER
};

inline constexpr int kFlashcoreExportCount = 74;

// The bound exports; all null until bindFlashcore succeeds.
FlashcoreExports& flashcore();

// Resolves every export of `library`. False, leaving the table empty, when a
// name does not resolve: the programmer then treats the library as missing.
bool bindFlashcore(platform::win::HMODULE library);
