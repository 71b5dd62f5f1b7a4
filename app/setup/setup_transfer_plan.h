#pragma once
// Where each section lies in the device, the order and progress of the
// whole-set-up transfers and their messages.
#include <array>
#include <string>
#include <string_view>

#include "app/link/setup_image.h"

// "Bitte Setup von Gerät lesen!" / "First read setup from device please!"
inline constexpr int ROW_READ_SETUP_FIRST = 11;

// How a section is read from the device.
struct DeviceRead {
  int address;
  int length;
  bool once;  // one CMD_BLOCK_READ_ONCE request instead of block reads
};

// GBL at 0, the copy's sections at `base` + their offset; the factory data
// of hardware "1002" from FACTORY_DATA_ADDR, of any other hardware with one
// read-once request from address 0.
DeviceRead DeviceReadOf(SetupSection section, uint16_t base, std::string_view hardwareVersion);

struct TransferStep {
  SetupSection section;
  int progress;  // both progress bars after the section
};
// Read-all: GBL, ADM, LPC .. MSC, ADM a second time, SAV.
const std::array<TransferStep, 13>& ReadAllSteps();
// Write-all: GBL, ADM, LPC .. MSC.
const std::array<TransferStep, 11>& WriteAllSteps();

// "ERROR! -> Read Setup (LPC)" and so on.
std::string ReadFailureMessage(SetupSection section);
// "ERROR -> Write Setup (LPC)"; the ADC section is "ADC+CAL".
std::string WriteFailureMessage(SetupSection section);

// The place of a section's flag in TForm1::SectionRead.
int SectionReadIndex(SetupSection section);
