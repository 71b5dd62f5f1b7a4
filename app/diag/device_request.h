#pragma once
// The expert windows' device requests (the link's one request step) and
// their small shared controls.
#include "app/link/device_request.h"

class TEdit;

// An edit for one byte: leaving it turns its number into 0..255.
void MakeByteField(TEdit* edit);

// The German hint box of the expert windows, repeated until OK.
void ShowHint(const char* text);
