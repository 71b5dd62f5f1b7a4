#include "flashcmd/command_file.h"

#include <fstream>

#include "flashcmd/run_failure.h"
#include "flashcmd/run_settings.h"
#include "flashcore/core/status.h"

namespace {

[[noreturn]] void refuse() { throw StatusFailure{settings.errorCode}; }

std::vector<std::string> splitAt(const std::string& text, const char* separators) {
  std::vector<std::string> words;
  size_t at = text.find_first_not_of(separators);
  while (at != std::string::npos) {
    const size_t end = text.find_first_of(separators, at);
    words.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
    at = end == std::string::npos ? end : text.find_first_not_of(separators, end);
  }
  return words;
}

std::string withoutQuotes(std::string name) {
  if (!name.empty() && name.front() == '"') name.erase(0, 1);
  if (!name.empty() && name.back() == '"') name.pop_back();
  return name;
}

// Reads the lines of an open file into the command text, following includes.
void appendLines(std::ifstream& file, std::string& commandText, int depth) {
  std::string line;
  while (std::getline(file, line)) {
    // Files written on Windows end their lines with CR LF.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (isCommentLine(line)) continue;
    if (isIncludeLine(line)) {
      includeCommandFile(includedFileName(line), commandText, depth + 1);
      continue;
    }
    commandText += ' ';
    commandText += line;
  }
}

size_t removeFirstQuotes(std::string& word, int count) {
  size_t removed = 0;
  for (size_t at = word.find('"'); at != std::string::npos && removed < static_cast<size_t>(count);
       at = word.find('"', at)) {
    word.erase(at, 1);
    ++removed;
  }
  return removed;
}

}  // namespace

std::string readCommandFile(const std::string& programPath, const std::string& fileName) {
  settings.errorCode = STATUS_INVALID_COMMAND_FILE_ARGUMENT;
  std::ifstream file(fileName);
  if (!file) refuse();
  std::string commandText = programPath;
  appendLines(file, commandText, 0);
  return commandText;
}

void includeCommandFile(const std::string& fileName, std::string& commandText, int depth) {
  if (depth > kMaxIncludeDepth) refuse();
  std::ifstream file(fileName);
  if (!file) refuse();
  appendLines(file, commandText, depth);
}

bool isCommentLine(const std::string& line) { return line.find('#') != std::string::npos; }

bool isIncludeLine(const std::string& line) {
  return line.find("INCLUDE ") != std::string::npos || line.find("include ") != std::string::npos;
}

std::string includedFileName(const std::string& line) {
  const std::vector<std::string> fields = splitAt(line, " \t");
  if (fields.size() < 2) {
    settings.errorCode = STATUS_INVALID_COMMAND_FILE_ARGUMENT;
    refuse();
  }
  return withoutQuotes(fields[1]);
}

std::vector<std::string> tokenizeCommandText(const std::string& commandText) {
  const std::vector<std::string> raw = splitAt(commandText, " \t\r");
  std::vector<std::string> words;
  if (raw.empty()) return words;
  words.push_back(raw[0]);
  bool inRun = false;
  std::string run;
  for (size_t i = 1; i < raw.size(); ++i) {
    const std::string& word = raw[i];
    const size_t firstQuote = word.find('"');
    if (inRun) {
      run += ' ';
      run += word;
      if (firstQuote != std::string::npos) {
        inRun = false;
        removeFirstQuotes(run, 2);
        words.push_back(run);
      }
    } else if (firstQuote == std::string::npos) {
      words.push_back(word);
    } else if (word.find('"', firstQuote + 1) != std::string::npos) {
      std::string unquoted = word;
      removeFirstQuotes(unquoted, 2);
      words.push_back(unquoted);
    } else {
      inRun = true;
      run = word;
    }
  }
  return words;
}
