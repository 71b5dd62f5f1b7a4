#include "platform/forms/ini_document.h"

#include <algorithm>
#include <cctype>

namespace ini_text {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

}  // namespace ini_text

namespace {

using ini_text::Trim;

// Name of a section header line, or nullopt.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  const size_t close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(t.substr(1, close - 1));
}

// Key of a "key=value" line, or nullopt for comments and other lines.
std::optional<std::string_view> KeyName(std::string_view line) {
  const std::string_view t = Trim(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return std::nullopt;
  const size_t eq = t.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return Trim(t.substr(0, eq));
}

std::string ValueOf(std::string_view line) {
  std::string_view v = Trim(line.substr(line.find('=') + 1));
  if (v.size() >= 2 && ((v.front() == '"' && v.back() == '"') || (v.front() == '\'' && v.back() == '\'')))
    v = v.substr(1, v.size() - 2);
  return std::string(v);
}

}  // namespace

IniDocument::IniDocument(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t nl = text.find('\n', pos);
    std::string_view line = text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
      if (pos == 0) lineEnd_ = "\r\n";
    }
    if (const auto name = SectionName(line)) {
      byName_[Folded(*name)].push_back(sections_.size());
      sections_.push_back({std::string(line), {}, {}});
    } else {
      AddLine(sections_.back(), std::string(line));
    }
    if (nl == std::string_view::npos) break;
    pos = nl + 1;
  }
}

std::string IniDocument::Folded(std::string_view name) {
  std::string folded(name);
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return folded;
}

void IniDocument::AddLine(Section& section, std::string line) {
  if (&section != &sections_.front()) {
    if (const auto key = KeyName(line)) section.keys.emplace(Folded(*key), section.lines.size());
  }
  section.lines.push_back(std::move(line));
}

std::optional<std::string> IniDocument::Value(const std::string& section, const std::string& key) const {
  const auto named = byName_.find(Folded(section));
  if (named == byName_.end()) return std::nullopt;
  const std::string folded = Folded(key);
  for (size_t index : named->second) {
    const Section& s = sections_[index];
    if (const auto found = s.keys.find(folded); found != s.keys.end()) return ValueOf(s.lines[found->second]);
  }
  return std::nullopt;
}

bool IniDocument::HasSection(const std::string& section) const { return byName_.contains(Folded(section)); }

void IniDocument::Set(const std::string& section, const std::string& key, const std::string& value) {
  std::string entry = key + "=" + value;
  const auto named = byName_.find(Folded(section));
  if (named == byName_.end()) {
    // A new section follows the last line of the file that is not empty.
    std::vector<std::string>& last = sections_.back().lines;
    while (!last.empty() && last.back().empty()) last.pop_back();
    byName_[Folded(section)].push_back(sections_.size());
    sections_.push_back({"[" + section + "]", {}, {}});
    AddLine(sections_.back(), std::move(entry));
    return;
  }
  Section& s = sections_[named->second.front()];
  if (const auto found = s.keys.find(Folded(key)); found != s.keys.end()) {
    s.lines[found->second] = std::move(entry);
    return;
  }
  // Blank lines that separate the section from the next one stay after the new key.
  size_t at = s.lines.size();
  while (at > 0 && Trim(s.lines[at - 1]).empty()) --at;
  s.keys.emplace(Folded(key), at);
  s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
}

std::string IniDocument::Text() const {
  size_t size = 0;
  for (const Section& s : sections_) {
    size += s.header.size() + lineEnd_.size();
    for (const std::string& line : s.lines) size += line.size() + lineEnd_.size();
  }
  std::string text;
  text.reserve(size);
  for (const Section& s : sections_) {
    if (&s != &sections_.front()) text.append(s.header).append(lineEnd_);
    for (const std::string& line : s.lines) text.append(line).append(lineEnd_);
  }
  return text;
}
