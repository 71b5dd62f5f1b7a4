#include "flashcmd/number_word.h"

#include <cctype>

#include "flashcmd/run_settings.h"

namespace {

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

}  // namespace

bool readNumberWord(const std::string& word, std::uint32_t& value) {
  value = 0;
  size_t at = 0;
  while (at < word.size() && std::isspace(static_cast<unsigned char>(word[at]))) ++at;
  bool negative = false;
  if (at < word.size() && (word[at] == '+' || word[at] == '-')) negative = word[at++] == '-';

  int base = 10;
  size_t digitsFrom = at;
  if (at < word.size() && word[at] == '0') {
    if (at + 1 < word.size() && (word[at + 1] == 'x' || word[at + 1] == 'X') && at + 2 < word.size() &&
        digitValue(word[at + 2]) < 16) {
      base = 16;
      digitsFrom = at + 2;
    } else {
      base = 8;
    }
  }

  std::uint64_t magnitude = 0;
  bool overflow = false;
  size_t end = digitsFrom;
  while (end < word.size() && digitValue(word[end]) < base) {
    magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digitValue(word[end]));
    if (magnitude > 0xFFFFFFFFu) {
      overflow = true;
      magnitude = 0xFFFFFFFFu;
    }
    ++end;
  }
  // No digit at all: nothing was read, the whole word is left over.
  if (end == digitsFrom && base == 10) end = 0;

  if (overflow)
    value = 0xFFFFFFFFu;
  else
    value = negative ? static_cast<std::uint32_t>(0u - static_cast<std::uint32_t>(magnitude))
                     : static_cast<std::uint32_t>(magnitude);
  return end == word.size();
}

bool parseNumberWord(const std::string& word, std::uint32_t& value) {
  if (readNumberWord(word, value)) return true;
  --settings.wordIndex;
  return false;
}
