#include "flashcmd/buffer_operations.h"

#include <cstdlib>

#include "flashcmd/console_output.h"
#include "flashcmd/flashcore_binding.h"
#include "flashcmd/number_word.h"
#include "flashcmd/option_checks.h"
#include "flashcmd/option_store.h"
#include "flashcmd/run_failure.h"
#include "flashcmd/run_settings.h"
#include "flashcmd/step_text.h"

namespace {

struct MemoryWord {
  const char* word;
  int index;
};

constexpr MemoryWord kMemoryWords[] = {{"FLASH", 0}, {"EEPROM", 1}, {"CUSTOM", 2}, {"LPC_BOOT", 7}};

int lastResultAsNumber(int base) { return static_cast<int>(std::strtoul(lastResult().c_str(), nullptr, base)); }

}  // namespace

void CmemoryOperation::run(const std::string&) {
  std::string word;
  try {
    word = upperCase(nextWord());
  } catch (const CoptionStore::NotFound&) {
    printStep("Selecting Memory", true);
    refuseArgument();
  }

  for (const MemoryWord& memory : kMemoryWords) {
    if (word != memory.word) continue;
    printStep(std::string("Selecting ") + memory.word, true);
    if (flashcore().ispSelectMemory(memory.index)) {
      settings.memoryIndex = memory.index;
      recordResult(0, 1);
    } else {
      handleFailure("xx");
    }
    // The working range becomes whatever memory the library has selected now.
    settings.rangeStart = 0;
    flashcore().ispGetMemorySize();
    settings.rangeEnd = lastResultAsNumber(10) - 1;
    return;
  }

  printStep("Selecting Memory", true);
  std::uint32_t index = 0;
  if (!parseNumberWord(word, index)) refuseArgument();
  if (flashcore().ispSelectMemory(static_cast<int>(index)))
    recordResult(0, 1);
  else
    handleFailure("xx");
}

void CaddRangeOperation::run(const std::string&) {
  printStep("Setting Address Range", true);
  settings.rangeStart = static_cast<int>(requiredNumber());
  settings.rangeEnd = static_cast<int>(requiredNumber());
  printResult(workingRangeText());
}

void CloadBufferOperation::run(const std::string&) {
  printStep("Parsing HEX file", true);
  const std::string name = requiredWord();
  if (!flashcore().ispParseHexFile(name.c_str())) {
    handleFailure("xx");
    return;
  }
  printResult(name);
  // The working range becomes the address range of the file's data.
  flashcore().ispGetBufferAddrLo();
  settings.rangeStart = lastResultAsNumber(16);
  flashcore().ispGetBufferAddrHi();
  settings.rangeEnd = lastResultAsNumber(16);
}

void CfillBufferOperation::run(const std::string&) {
  printStep("Filling buffer", true);
  const std::string word = requiredWord();
  std::uint32_t value = 0;
  if (!parseNumberWord(word, value) || value > 0xFF) refuseArgument();
  if (!flashcore().ispFillBufferAddrRange(settings.rangeStart, settings.rangeEnd, hexText(value, 2).c_str())) {
    handleFailure("xx");
    return;
  }
  printResult(workingRangeText() + "\t" + word);
}

void CsaveBufferOperation::run(const std::string&) {
  printStep("Saving buffer to HEX file", true);
  const std::string name = requiredWord();
  const std::string kind = upperCase(requiredWord());
  int segmentRecords = 0;
  if (kind == "HEX386")
    segmentRecords = 0;
  else if (kind == "HEX86")
    segmentRecords = 1;
  else
    refuseArgument();
  if (!flashcore().ispWriteHexFile(settings.rangeStart, settings.rangeEnd, name.c_str(), segmentRecords)) {
    handleFailure("xx");
    return;
  }
  printResult(name + " " + kind);
}
