#include "flashcmd/special_byte_operations.h"

#include <charconv>

#include "flashcmd/console_output.h"
#include "flashcmd/flashcore_binding.h"
#include "flashcmd/number_word.h"
#include "flashcmd/option_checks.h"
#include "flashcmd/option_store.h"
#include "flashcmd/run_failure.h"
#include "flashcmd/run_settings.h"
#include "flashcore/core/special_bytes.h"

namespace {

// The byte a read left as the library's last result: two hexadecimal digits.
bool valueRead(std::uint32_t& value) {
  const std::string text = lastResult();
  const char* end = text.data() + text.size();
  return text.size() == 2 && std::from_chars(text.data(), end, value, 16).ptr == end;
}

// An expected value matches when it is the byte read, in whatever notation
// the number word has ("0x5a", "90", "0132").
bool matchesValueRead(std::uint32_t expected) {
  std::uint32_t value = 0;
  return valueRead(value) && expected == value;
}

}  // namespace

void CspecialByteReadOperation::run(const std::string&) {
  printStep(message_, true);
  // A number after the keyword is the value expected; another word is the
  // next operation and is given back.
  std::string expectedWord;
  std::uint32_t expected = 0;
  if (settings.wordIndex < options.count("-operation") - 1) {
    const std::string word = upperCase(nextWord());
    if (parseNumberWord(word, expected)) expectedWord = word;
  }

  if (!flashcore().ispReadSpecialByte(specialByteId_)) {
    handleFailure("xx");
    return;
  }
  if (!expectedWord.empty() && !matchesValueRead(expected)) {
    handleFailure(expectedWord);
    return;
  }
  printValue();
}

void CspecialByteWriteOperation::run(const std::string&) {
  const std::string word = nextWord();
  printStep(message_, true);
  const std::uint8_t value = byteOrRefuse(word, kInvalidArgument);
  if (!flashcore().ispWriteSpecialByte(specialByteId_, value)) {
    handleFailure("xx");
    return;
  }
  printResult(word);
}

void CsecurityLevelOperation::run(const std::string&) {
  printStep(message_, true);
  const FlashcoreExports& isp = flashcore();
  if (level_ == 1 ? isp.ispSetSecurityLev1() : isp.ispSetSecurityLev2())
    recordResult(0, 1);
  else
    handleFailure("xx");
}

void CsignatureOperation::run(const std::string&) {
  printStep("Reading Signature Bytes", true);
  if (!flashcore().ispReadSignatureBytes()) {
    handleFailure("xx");
    return;
  }
  printResult(settings.demo ? std::string("XX") : lastResult());
}

// The fuses are bits of the hardware byte: after switching one, the byte is
// read back and shown, so the value after PASS is always the target's
// present one.
void CfuseOperation::run(const std::string&) {
  printStep(message_, true);
  const FlashcoreExports& isp = flashcore();
  if (!(enable_ ? isp.ispEnableFuseBit(fuse_) : isp.ispDisableFuseBit(fuse_))) {
    handleFailure("xx");
    return;
  }
  if (settings.demo)
    printResult("XX");
  else if (isp.ispReadSpecialByte(HARDWARE_BYTE))
    printResult(lastResult());
  else
    recordResult(0, 1);
}
