#pragma once
// The options of a command line: option names with the value words that
// follow them, in command-line order.
//
// An option name is a word longer than one character that begins with '-'
// and whose second character is not a digit ("-5" and "-" are value words).
// A name takes the next word as its first value when that word is not a
// name; later value words join the list of the last name. Words before the
// first name are dropped; a repeated name keeps its first list, and the
// repeat's own first value is dropped with it. Names are case-sensitive.
#include <map>
#include <string>
#include <vector>

class CoptionStore {
 public:
  // Thrown by get for an absent option or a missing value word.
  struct NotFound {};

  // Rebuilds the store from words[1..] (words[0], the program path, is
  // skipped); returns the number of distinct option names.
  int parse(const std::vector<std::string>& words);
  int parse(int count, const char* const* words);

  static bool isOptionName(const std::string& word);

  bool has(const std::string& name) const;
  // Value word `index` of the option; throws NotFound.
  std::string get(const std::string& name, int index) const;
  // get, or `fallback` when that fails.
  std::string getOr(const std::string& name, int index, const std::string& fallback) const;
  // Number of value words; -1 when the option is absent.
  int count(const std::string& name) const;
  // The option names held, in name order.
  std::vector<std::string> names() const;

  void clear() { options_.clear(); }

 private:
  std::map<std::string, std::vector<std::string>> options_;
};

extern CoptionStore options;
