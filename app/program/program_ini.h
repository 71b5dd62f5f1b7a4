#pragma once
// The program ini: the option block and the presence flags of bus
// addresses 1 .. 16 in the sections [COM], [ADC], [RTV482] and [DEVICES].
#include <array>

#include "app/program/program_options.h"

class TIniFile;

// Presence flags of addresses 1 .. 16 as the section [DEVICES] holds them.
using StoredPresence = std::array<int, 16>;

// Reads the options and presence flags; missing keys and values that are no
// number give the defaults (address 1 present, the others not). Byte fields
// keep the low 8 bits. The framing options are forced on and the stream,
// button-mode and baud-search switches off, whatever the file says.
void ReadProgramIni(const TIniFile& ini, ProgramOptions& options, StoredPresence& present);

// Writes every key in the file's order and then the file whole; keys the
// file lacks are appended to their section, everything else in the file
// stays. Throws EIniFileException, with the old file unchanged, when the
// file cannot be written.
void WriteProgramIni(TIniFile& ini, const ProgramOptions& options, const StoredPresence& present);
