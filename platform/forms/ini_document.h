#pragma once
// The text of an INI file, parsed once and kept line for line, with an index
// of its sections and keys so that a look-up or a change costs no pass over
// the text. Section and key names compare case-insensitively (ASCII).
//
// A change replaces the key's line in place, or adds the key after the last
// line of its section that is not blank, or adds a new section at the end;
// every other line stays as it was, comments and unknown keys included.
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class IniDocument {
 public:
  IniDocument() = default;
  // Text in UTF-8. Lines end with "\n" or "\r\n"; the document keeps the end
  // of its first line for every line it writes.
  explicit IniDocument(std::string_view text);

  // The value of the first line of `key` in the sections named `section`,
  // trimmed and without enclosing quotes; nullopt when there is none.
  std::optional<std::string> Value(const std::string& section, const std::string& key) const;
  bool HasSection(const std::string& section) const;

  void Set(const std::string& section, const std::string& key, const std::string& value);

  std::string Text() const;

 private:
  struct Section {
    std::string header;              // the "[name]" line as it stands; empty for the lines before any section
    std::vector<std::string> lines;  // the lines after the header, without line ends
    std::unordered_map<std::string, size_t> keys;  // lower-case key -> its first line
  };

  static std::string Folded(std::string_view name);
  void AddLine(Section& section, std::string line);

  std::vector<Section> sections_{1};  // sections_[0] holds the lines before the first header
  std::unordered_map<std::string, std::vector<size_t>> byName_;  // lower-case name -> sections in file order
  std::string lineEnd_ = "\n";
};

namespace ini_text {
// The text without the white space at both ends.
std::string_view Trim(std::string_view text);
}  // namespace ini_text
