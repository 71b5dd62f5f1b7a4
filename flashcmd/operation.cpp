#include "flashcmd/operation.h"

#include <algorithm>

#include "flashcmd/console_output.h"
#include "flashcmd/number_word.h"
#include "flashcmd/option_store.h"
#include "flashcmd/run_failure.h"
#include "flashcmd/run_settings.h"
#include "flashcore/core/status.h"

WorkerTask workerTask;

int Coperation::execute(const std::string& keyword) {
  if (!claims(keyword)) return 0;
  settings.currentKeyword = keyword;
  run(keyword);
  return 1;
}

bool Coperation::claims(const std::string& keyword) const {
  return std::find(keywords_.begin(), keywords_.end(), keyword) != keywords_.end();
}

int dispatchOperation(const std::string& keyword) {
  for (Coperation* operation : operationRegistry)
    if (const int result = operation->execute(keyword)) return result;
  refuseKeyword(keyword);
}

void refuseKeyword(const std::string& keyword) {
  setColour(COLOUR_ERROR);
  logText("\n" + keyword + " ");
  throw StatusFailure{STATUS_COMMAND_DOES_NOT_EXIST};
}

std::string nextWord() { return options.get("-operation", ++settings.wordIndex); }

std::string nextWordOr(const std::string& fallback) {
  return options.getOr("-operation", ++settings.wordIndex, fallback);
}

std::string requiredWord() {
  try {
    return nextWord();
  } catch (const CoptionStore::NotFound&) {
    throw TextFailure{kInvalidOrMissingArgument};
  }
}

std::uint32_t requiredNumber() { return numberOrRefuse(requiredWord(), kInvalidOrMissingArgument); }

std::uint32_t numberOrRefuse(const std::string& word, const char* refusal) {
  std::uint32_t value = 0;
  if (!parseNumberWord(word, value)) throw TextFailure{refusal};
  return value;
}

std::uint8_t byteOrRefuse(const std::string& word, const char* refusal) {
  const std::uint32_t value = numberOrRefuse(word, refusal);
  if (value > 0xFF) throw TextFailure{refusal};
  return static_cast<std::uint8_t>(value);
}
