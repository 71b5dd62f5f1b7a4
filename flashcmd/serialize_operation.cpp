#include "flashcmd/serialize_operation.h"

#include <cstdint>
#include <limits>

#include "flashcmd/console_output.h"
#include "flashcmd/flashcore_binding.h"
#include "flashcmd/option_checks.h"
#include "flashcmd/run_failure.h"
#include "flashcmd/run_settings.h"
#include "flashcmd/serial_number.h"
#include "flashcore/core/status.h"

namespace {

// Leaves serial + step in the command file in place of the number word of
// its SERIALIZE line. A count that would leave 0 .. 2^63 - 1 ends the run.
void rewriteSerialNumber(const SerialNumber& serial, std::int32_t step) {
  constexpr std::int64_t kLargest = std::numeric_limits<std::int64_t>::max();
  if ((step > 0 && serial.value > kLargest - step) || serial.value + step < 0)
    throw TextFailure{statusMessage(STATUS_SERIAL_NUMBER_OUT_OF_RANGE)};
  const std::optional<SerialWordPlace> place = findSerialWord(settings.cmdFileName);
  if (!place) refuseArgument();
  if (!replaceSerialWord(*place, serialNumberText({serial.value + step, serial.radix})))
    throw TextFailure{"Cannot write the next serial number to " + place->fileName + "."};
}

}  // namespace

void CserializeOperation::run(const std::string&) {
  printStep("Serializing device", true);
  settings.serialDestination = static_cast<int>(requiredNumber());
  const std::optional<SerialNumber> serial = parseSerialNumber(upperCase(requiredWord()));
  if (!serial) refuseArgument();
  settings.serialRadix = serial->radix;
  settings.serialFormat = upperCase(requiredWord());
  if (settings.serialFormat != "NUMBER" && settings.serialFormat != "ASCII" && settings.serialFormat != "UNICODE")
    refuseArgument();
  const auto step = static_cast<std::int32_t>(requiredNumber());

  // The next number is in the file before this one goes to the target: a
  // run that ends in between leaves a number unused, never one used twice.
  rewriteSerialNumber(*serial, step);

  const auto value = static_cast<std::uint64_t>(serial->value);
  if (!flashcore().ispSerialize(settings.memoryIndex, settings.serialDestination,
                                static_cast<int>(value & 0xFFFFFFFFu), static_cast<int>(value >> 32),
                                settings.serialRadix, settings.serialFormat)) {
    handleFailure("xx");
    return;
  }
  printResult(serialNumberText(*serial));
}
