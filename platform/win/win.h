#pragma once
// The Windows-style calls that comlink, flashcore and flashcmd use, on POSIX.
#include "platform/win/console.h"
#include "platform/win/event.h"
#include "platform/win/library.h"
#include "platform/win/system_info.h"
#include "platform/win/ticks.h"
