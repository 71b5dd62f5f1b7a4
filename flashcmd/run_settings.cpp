#include "flashcmd/run_settings.h"

RunSettings settings;

void initSettings() { settings = RunSettings{}; }
