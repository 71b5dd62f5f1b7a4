// Serial numbers: the digits go into the image of the chosen memory and
// exactly those bytes are programmed.
#include <algorithm>
#include <cctype>

#include "flashcore/core/command_manager.h"
#include "flashcore/core/device.h"
#include "flashcore/core/memory_area.h"
#include "flashcore/core/serial_number.h"

void CcommandManager::serialize(int memoryIndex, int destAddress, int serialLow, int serialHigh, std::uint8_t radix,
                                const std::string& format) {
  if (demoMode_) return;
  std::string form = format;
  std::transform(form.begin(), form.end(), form.begin(), [](unsigned char c) { return std::toupper(c); });
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  if (radix != 10 && radix != 16) fail(STATUS_BAD_SERIALIZATION_ARGUMENTS);
  if (serialHigh < 0) fail(STATUS_SERIAL_NUMBER_OUT_OF_RANGE);
  selectMemory(memoryIndex);  // stays selected

  const std::uint64_t value =
      static_cast<std::uint64_t>(static_cast<std::uint32_t>(serialHigh)) << 32 | static_cast<std::uint32_t>(serialLow);
  // The bytes written are the bytes checked and programmed.
  const std::vector<std::string> bytes = serialNumberBytes(value, radix, form);
  const std::uint32_t first = static_cast<std::uint32_t>(destAddress);
  const std::uint64_t last = static_cast<std::uint64_t>(first) + bytes.size() - 1;
  if (last >= requireMemory().size()) fail(STATUS_ADDRESS_OUT_OF_RANGE_ERROR);
  Cdevice& part = requireDevice();

  std::uint32_t address = first;
  for (const std::string& text : bytes) {
    part.writeBufferByte(static_cast<int>(address >> 16), static_cast<int>(address & 0xFFFF), text);
    ++address;
  }
  programAddrRange(first, static_cast<std::uint32_t>(last), 0);
}
