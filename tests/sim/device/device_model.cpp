#include "tests/sim/device/device_model.h"

#include <algorithm>

#include "tests/sim/device/protocol.h"

namespace devsim {

DeviceModel::DeviceModel()
    : memory(MEMORY_SIZE, 0xFF), factoryEeprom(FACTORY_DATA_SIZE, 0xFF), defaultSetup(SETUP_COPY_SIZE, 0x00) {
  defaultSetup[ADM_VALID_OFFSET] = 1;
  // GBL: active set-up 0, set-up 1 as the alternative, no backup; rest reserved.
  std::fill(memory.begin(), memory.begin() + SETUP_GBL_SIZE, 0xFF);
  memory[0] = 0;
  memory[1] = 0;
  memory[2] = 0;
  std::copy(defaultSetup.begin(), defaultSetup.end(), memory.begin() + SETUP_BASE_1);
  std::copy(defaultSetup.begin(), defaultSetup.end(), memory.begin() + SETUP_BASE_2);
  for (int base : {SETUP_BASE_1, SETUP_BASE_2}) {
    const std::uint16_t sum = SetupCopyChecksum(*this, base);
    memory[base + ADM_CSUM_OFFSET] = static_cast<std::uint8_t>(sum >> 8);
    memory[base + ADM_CSUM_OFFSET + 1] = static_cast<std::uint8_t>(sum & 0xFF);
  }
  // Factory data: variant byte first, the rest erased; mirrored in the EEPROM.
  memory[FACTORY_DATA_ADDR] = variant;
  factoryEeprom[0] = variant;
  eeprom = memory;
  channels[0].load = 12.5;
  channels[1].load = 3.0;
  logEntries = {0x000100, -0x000200, 0x123400};
  logHeader = {0, 30, 15, 10, 1, 2, 24, 0, 0, 0};
}

DeviceModel DemoDevice(int address, std::uint8_t variant) {
  DeviceModel model;
  model.variant = variant;
  model.memory[FACTORY_DATA_ADDR] = variant;
  model.factoryEeprom[0] = variant;
  model.dipAddress = static_cast<std::uint8_t>(address);
  model.channelCount = 2;
  model.adcMode = 1;
  model.rateIndex = 4;
  // The set-up copies and the default set-up say the same.
  auto describe = [&](std::uint8_t* copy) {
    copy[SETUP_WRITABLE_OFFSET] = 1;
    copy[SETUP_BUS_ADDRESS_OFFSET] = static_cast<std::uint8_t>(address);
    copy[SETUP_TWO_CHANNELS_OFFSET] = 1;
    copy[SETUP_RATE_OFFSET] = model.rateIndex;
    copy[SETUP_ADC_MODE_OFFSET] = model.adcMode;
    copy[SETUP_CHANNELS_OFFSET] = static_cast<std::uint8_t>(model.channelCount);
  };
  describe(model.defaultSetup.data());
  for (int base : {SETUP_BASE_1, SETUP_BASE_2}) {
    describe(model.memory.data() + base);
    const std::uint16_t sum = SetupCopyChecksum(model, base);
    model.memory[static_cast<std::size_t>(base + ADM_CSUM_OFFSET)] = static_cast<std::uint8_t>(sum >> 8);
    model.memory[static_cast<std::size_t>(base + ADM_CSUM_OFFSET + 1)] = static_cast<std::uint8_t>(sum & 0xFF);
  }
  model.eeprom = model.memory;
  return model;
}

void ApplySetupAtRestart(DeviceModel& model) {
  const int base = ActiveSetupBase(model);
  auto at = [&](int offset) { return model.memory[static_cast<std::size_t>(base + offset)]; };
  const std::uint8_t channels = at(SETUP_CHANNELS_OFFSET);
  if (channels != 1 && channels != 2) return;
  model.channelCount = channels;
  if (const std::uint8_t mode = at(SETUP_ADC_MODE_OFFSET); mode <= 1) model.adcMode = mode;
  model.rateIndex = at(SETUP_RATE_OFFSET);
}

std::uint8_t StatusByte(const DeviceModel& model) {
  std::uint8_t status = model.statusBits;
  if (model.errorCodes[0] != 0 || model.errorCodes[1] != 0) status |= DEVICE_STATUS_ERROR;
  if (model.exbFitted) status |= DEVICE_STATUS_EXB;
  if (model.activeSetup == 2) status |= DEVICE_STATUS_DEFAULT_SETUP;
  return status;
}

int ActiveSetupBase(const DeviceModel& model) { return model.activeSetup == 1 ? SETUP_BASE_2 : SETUP_BASE_1; }

std::uint16_t SetupCopyChecksum(const DeviceModel& model, int base) {
  std::uint32_t sum = 0;
  for (int i = 0; i < SETUP_COPY_SIZE; ++i) {
    if (i == ADM_CSUM_OFFSET || i == ADM_CSUM_OFFSET + 1) continue;
    sum += model.memory[static_cast<std::size_t>(base + i)];
  }
  return static_cast<std::uint16_t>(sum & 0xFFFF);
}

}  // namespace devsim
