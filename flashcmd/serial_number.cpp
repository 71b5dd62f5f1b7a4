#include "flashcmd/serial_number.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>

#include "flashcmd/command_file.h"
#include "flashcmd/run_failure.h"

namespace {

constexpr const char* kSeparators = " \t\r";

std::optional<std::string> readWholeFile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool isSerializeKeyword(const std::string& word) {
  static const std::string keyword = "SERIALIZE";
  if (word.size() != keyword.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(word[i])) != keyword[i]) return false;
  return true;
}

// The words of the kept lines in reading order, as the command file reader
// and tokenizer take them; a run of words in double quotes is one word.
class SerialWordSearch {
 public:
  std::optional<SerialWordPlace> found;

  // True once the search has ended (found or given up).
  bool searchFile(const std::string& fileName, int depth) {
    if (depth > kMaxIncludeDepth) return giveUp();
    const std::optional<std::string> text = readWholeFile(fileName);
    if (!text) return giveUp();
    for (size_t lineStart = 0; lineStart < text->size();) {
      const size_t lineFeed = text->find('\n', lineStart);
      const size_t lineEnd = lineFeed == std::string::npos ? text->size() : lineFeed;
      if (searchLine(fileName, *text, lineStart, lineEnd, depth)) return true;
      lineStart = lineEnd + 1;
    }
    return false;
  }

 private:
  bool giveUp() {
    found.reset();
    return true;
  }

  bool searchLine(const std::string& fileName, const std::string& text, size_t lineStart, size_t lineEnd, int depth) {
    const std::string line = text.substr(lineStart, lineEnd - lineStart);
    if (isCommentLine(line)) return false;
    if (isIncludeLine(line)) {
      try {
        return searchFile(includedFileName(line), depth + 1);
      } catch (const StatusFailure&) {
        return giveUp();
      }
    }
    for (size_t at = line.find_first_not_of(kSeparators); at != std::string::npos;) {
      const size_t end = std::min(line.find_first_of(kSeparators, at), line.size());
      if (takeWord(line.substr(at, end - at), {fileName, lineStart + at, end - at})) return true;
      at = line.find_first_not_of(kSeparators, end);
    }
    return false;
  }

  bool takeWord(const std::string& word, const SerialWordPlace& place) {
    const bool quoted = word.find('"') != std::string::npos;
    const bool runGoesOn = inQuotedRun_ ? !quoted : quoted && word.find('"', word.find('"') + 1) == std::string::npos;
    const bool partOfRun = inQuotedRun_ || runGoesOn;
    inQuotedRun_ = runGoesOn;
    if (runGoesOn) return false;  // the run is one word, counted at its end

    if (wordsAfterKeyword_ < 0) {
      if (!partOfRun && isSerializeKeyword(word)) wordsAfterKeyword_ = 0;
      return false;
    }
    if (++wordsAfterKeyword_ < 2) return false;
    // A quoted number word is not one this search rewrites.
    if (quoted || partOfRun) return giveUp();
    found = place;
    return true;
  }

  bool inQuotedRun_ = false;
  int wordsAfterKeyword_ = -1;  // -1 until the keyword is found
};

// Writes the file and waits until its text is on the disk; it gets the
// permissions of the file it is to replace.
bool writeDurably(const std::string& fileName, const std::string& content, const std::string& replacing) {
  struct stat old {};
  const mode_t mode = ::stat(replacing.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  const int fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  if (fd < 0) return false;
  size_t written = 0;
  while (written < content.size()) {
    const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<size_t>(n);
  }
  const bool done = written == content.size() && ::fsync(fd) == 0;
  return ::close(fd) == 0 && done;
}

}  // namespace

std::optional<SerialNumber> parseSerialNumber(const std::string& word) {
  SerialNumber number;
  std::string digits = word;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    number.radix = 16;
    digits.erase(0, 2);
  }
  std::uint64_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value, number.radix);
  if (digits.empty() || error != std::errc() || stop != end ||
      value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
    return std::nullopt;
  number.value = static_cast<std::int64_t>(value);
  return number;
}

std::string serialNumberText(const SerialNumber& number) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, number.value, number.radix);
  std::string text(digits, result.ptr);
  if (number.radix != 16) return text;
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return "0x" + text;
}

std::optional<SerialWordPlace> findSerialWord(const std::string& commandFileName) {
  SerialWordSearch search;
  search.searchFile(commandFileName, 0);
  return search.found;
}

bool replaceSerialWord(const SerialWordPlace& place, const std::string& text) {
  std::optional<std::string> content = readWholeFile(place.fileName);
  if (!content || place.offset + place.length > content->size()) return false;
  content->replace(place.offset, place.length, text);
  const std::string newName = place.fileName + ".new";
  if (!writeDurably(newName, *content, place.fileName) || std::rename(newName.c_str(), place.fileName.c_str()) != 0) {
    std::remove(newName.c_str());
    return false;
  }
  return true;
}
