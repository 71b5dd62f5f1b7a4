#pragma once
// What one simulated device holds: identity, measuring channels, set-up
// memory, logs and the switches that tests set. A plain value; the simulator
// guards it with its lock.
#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace devsim {

// Device memory map of the set-up (device addresses).
inline constexpr int MEMORY_SIZE = 0x800;
inline constexpr int SETUP_GBL_SIZE = 8;
inline constexpr int SETUP_BASE_1 = 0x008;
inline constexpr int SETUP_BASE_2 = 0x2D4;
inline constexpr int SETUP_COPY_SIZE = 708;
inline constexpr int FACTORY_DATA_ADDR = 0x7C0;
inline constexpr int FACTORY_DATA_SIZE = 64;
// ADM block of a set-up copy: byte 0 valid flag, bytes 1-2 the set-up checksum.
inline constexpr int ADM_VALID_OFFSET = 0;
inline constexpr int ADM_CSUM_OFFSET = 1;
inline constexpr int ADC_REGISTER_COUNT = 9;
// Set-up fields that the device itself acts on, as offsets in a set-up copy.
inline constexpr int SETUP_WRITABLE_OFFSET = 0x000 + 4;        // ADM setup: 1 the set-up may be written
inline constexpr int SETUP_BUS_ADDRESS_OFFSET = 0x010 + 13;    // LPC rs485_adr
inline constexpr int SETUP_TWO_CHANNELS_OFFSET = 0x030 + 232;  // ADC two_channel_operation
inline constexpr int SETUP_RATE_OFFSET = 0x030 + 233;          // ADC crate
inline constexpr int SETUP_ADC_MODE_OFFSET = 0x030 + 234;      // ADC mode: 0 one channel, 1 both alternately
inline constexpr int SETUP_CHANNELS_OFFSET = 0x124;            // WKG[0] mk: 1 or 2 channels

struct ChannelModel {
  // Weights in the display unit: gross = load - zero, net = gross - tare.
  double load = 0.0;
  double zero = 0.0;
  double tare = 0.0;
  std::int32_t adcRaw = 0;
  float adcScaled = 0.0f;
  std::int32_t adcMin = 0;
  std::int32_t adcMax = 0;
  double millivoltPerVolt = 0.0;
  int calPoints = 2;
  std::array<std::uint32_t, 3> loadCounter{};  // hours, mean, 100 %
  std::array<double, 4> beltScale{};             // flow, flow/min, total, withdrawal
  std::int32_t bridgeReference = 0;
  std::array<std::uint8_t, 8> factoryCal{};  // offset and gain, most significant byte first
};

struct DeviceModel {
  // Identification items.
  std::uint8_t variant = 21;
  std::string infoText = "VD417 Simulator";
  std::string serialNumber = "00012345";
  std::string productionDate = "0124";
  std::string firmwareId = "VD417";
  std::string firmwareVersion = "V1.0.12";
  std::string firmwareDate = "15.01.2024";
  std::string hardwareVersion = "1001";
  std::array<std::uint8_t, 5> exbVersion{1, 4, 0, 0, 1};
  std::uint8_t firmwareType = 2;

  int channelCount = 2;
  int activeChannel = 1;          // 1-based
  std::uint8_t activeSetup = 0;   // 0 set-up 1, 1 set-up 2, 2 default set-up
  std::uint8_t calibrationSet = 0;
  std::uint8_t rateIndex = 3;
  std::array<ChannelModel, 2> channels{};
  // Weight texts that replace the generated ones when not empty.
  std::string weightTextOverride;
  std::string sumTextOverride;
  bool sumIsDifference = false;

  // Status byte bits that the test sets (overload, load-cell error ...);
  // the error, extension-board and default-set-up bits follow the model.
  std::uint8_t statusBits = 0;
  bool exbFitted = false;
  std::array<std::uint8_t, 2> errorCodes{};
  std::map<std::uint8_t, std::uint8_t> errorClasses;  // class mask -> value

  // Set-up memory as 0x3C/0x3D see it (run-time copy), its stored copy,
  // the factory EEPROM that 0x47 reads, the default set-up and the backup.
  std::vector<std::uint8_t> memory;
  std::vector<std::uint8_t> eeprom;
  std::vector<std::uint8_t> factoryEeprom;
  std::vector<std::uint8_t> defaultSetup;
  std::vector<std::uint8_t> setupBackup;
  bool setupBackupPresent = false;

  // Extended calibration settings (0x09).
  std::uint8_t unitIndex = 0;
  std::uint8_t divisionsIndex = 0;
  std::uint8_t stepIndex = 0;
  std::uint32_t divisions = 3000;

  // Log memory.
  bool logRunning = false;
  std::uint16_t logValuesRequested = 0;
  std::vector<std::int32_t> logEntries;
  std::array<std::uint8_t, 10> logHeader{};
  std::uint32_t ringCounter = 0;

  // Clock: device time = system time + offset.
  std::chrono::seconds clockOffset{0};

  // ADC.
  std::uint8_t adcMode = 0;  // 0 CONT, 1 SINGLE
  std::uint8_t adcFunction = 0;
  bool adcButtonMode = false;
  std::array<std::uint32_t, ADC_REGISTER_COUNT> adcRegisters{};

  // Extension board.
  std::uint8_t exbInputs = 0;
  std::int32_t encoderRaw = 0;
  float encoderScaled = 0.0f;
  std::uint8_t relays = 0;

  // Cyclic output and value stream.
  bool streamRunning = false;
  std::uint8_t streamKind = 0;
  std::int32_t streamValue = 0;
  std::int32_t streamStep = 0;  // added after every frame
  int streamIntervalMs = 100;
  int streamRateHz = 0;  // when set: this many frames a second, in place of streamIntervalMs
  bool cyclicHeld = false;

  // Miscellaneous.
  int resetCount = 0;
  int restartSilenceMs = 0;  // no answers for this long after a reset
  std::uint8_t baudIndex = 3;
  std::uint8_t profibusState = 2;
  std::uint8_t dipAddress = 3;
  bool factoryCalEnabled = false;
  std::array<std::uint32_t, 8> diagValues{};
  // Diagnosis data of an item sent in place of its value, when set.
  std::map<std::uint8_t, std::vector<std::uint8_t>> diagData;
  std::map<std::uint8_t, std::vector<std::uint8_t>> debugBlocks;
  std::string debugActionText = "OK";

  DeviceModel();
};

// The device that the program devsim serves at a bus address: its DIP
// switches and its set-up name that address, and channel count, ADC mode and
// sampling rate agree between its answers and its set-up (two channels,
// measured alternately); its set-up may be written.
DeviceModel DemoDevice(int address, std::uint8_t variant = 21);

// A restart starts the device with the channel count, ADC mode and sampling
// rate of its active set-up copy, where that copy names 1 or 2 channels.
void ApplySetupAtRestart(DeviceModel& model);

// Status byte of the next reply.
std::uint8_t StatusByte(const DeviceModel& model);
// Checksum of a set-up copy as the device keeps it in the copy's ADM block.
std::uint16_t SetupCopyChecksum(const DeviceModel& model, int base);
int ActiveSetupBase(const DeviceModel& model);

}  // namespace devsim
