#pragma once
// One application object for a whole test program, and waits on the event
// loop with a deadline.
#include <chrono>
#include <functional>

#include "platform/forms/application.h"

// The test program's application object (made on first use).
TApplication& TestApplication();

// Handles events until `done` holds or `timeout` has passed; true if it held.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10));
