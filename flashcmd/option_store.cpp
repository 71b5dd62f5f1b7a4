#include "flashcmd/option_store.h"

CoptionStore options;

int CoptionStore::parse(const std::vector<std::string>& words) {
  options_.clear();
  std::string lastName;
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (isOptionName(word)) {
      lastName = word;
      std::vector<std::string> values;
      if (i + 1 < words.size() && !isOptionName(words[i + 1])) {
        const std::string& value = words[++i];
        if (!value.empty()) values.push_back(value);
      }
      options_.try_emplace(word, std::move(values));
    } else if (auto found = options_.find(lastName); found != options_.end()) {
      found->second.push_back(word);
    }
  }
  return static_cast<int>(options_.size());
}

int CoptionStore::parse(int count, const char* const* words) {
  std::vector<std::string> list;
  for (int i = 0; i < count; ++i) list.emplace_back(words[i] ? words[i] : "");
  return parse(list);
}

bool CoptionStore::isOptionName(const std::string& word) {
  return word.size() > 1 && word[0] == '-' && !(word[1] >= '0' && word[1] <= '9');
}

bool CoptionStore::has(const std::string& name) const { return options_.count(name) != 0; }

std::string CoptionStore::get(const std::string& name, int index) const {
  const auto found = options_.find(name);
  if (found == options_.end() || index < 0 || static_cast<size_t>(index) >= found->second.size()) throw NotFound{};
  return found->second[static_cast<size_t>(index)];
}

std::string CoptionStore::getOr(const std::string& name, int index, const std::string& fallback) const {
  try {
    return get(name, index);
  } catch (const NotFound&) {
    return fallback;
  }
}

int CoptionStore::count(const std::string& name) const {
  const auto found = options_.find(name);
  return found == options_.end() ? -1 : static_cast<int>(found->second.size());
}

std::vector<std::string> CoptionStore::names() const {
  std::vector<std::string> result;
  for (const auto& [name, values] : options_) result.push_back(name);
  return result;
}
