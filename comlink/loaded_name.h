#pragma once
// The name a transport library was loaded under, for the lines it writes to
// the error output: "comlinkx" for ".../libcomlinkx.so", "canlink_peak" for
// ".../libcanlink_peak.so". One library present under several names thus
// speaks with the name the user chose.
#include <string>

// `fallback` when the name cannot be told.
std::string LoadedLibraryName(const char* fallback);
