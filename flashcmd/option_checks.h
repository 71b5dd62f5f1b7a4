#pragma once
// The accepted option values and the checks of the options that need no
// library call.
#include <string>
#include <vector>

#include "flashcmd/option_store.h"
#include "flashcmd/run_settings.h"

const std::vector<std::string>& baudRates();
const std::vector<std::string>& canBitrates();
// Position = the library's hardware code.
const std::vector<std::string>& hardwareNames();
// "COM1" .. "COM20".
const std::vector<std::string>& portNames();

inline constexpr int kMaxOperationWords = 1024;

// Checks the options in the order the programmer applies them and fills
// the fields of `run` that follow from them (all but deviceIndex). Throws
// StatusFailure at the first failed check.
void checkOptions(const CoptionStore& store, RunSettings& run);

std::string upperCase(std::string text);

// The options the programmer acts on; any other name is stored and ignored.
bool isKnownOption(const std::string& name);
// One line for the error output per option of the store that is ignored,
// so that a mistyped name does not go unnoticed; empty when there is none.
std::string ignoredOptionsText(const CoptionStore& store);
