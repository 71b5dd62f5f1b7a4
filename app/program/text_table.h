#pragma once
// The program's two-language texts, addressed by row number; the column is
// the language setting `lang` (0 German, 1 English).
#include <array>
#include <cstdint>

struct BilingualText {
  const char* German = "";
  const char* English = "";
};

inline constexpr int TEXT_TABLE_ROWS = 473;

// Rows 0 .. 472, constant for the whole run.
extern const std::array<BilingualText, TEXT_TABLE_ROWS> TextTable;

// Row `row` in language `lang`; any value other than 1 reads German.
const char* Text(int row, int lang);
// One of a fixed pair of texts by language, by the same rule.
inline const char* ByLanguage(int lang, const char* german, const char* english) {
  return lang == 1 ? english : german;
}

// Rows of the message-box titles.
inline constexpr int ROW_TITLE_QUESTION = 0;
inline constexpr int ROW_TITLE_HINT = 1;
inline constexpr int ROW_TITLE_ERROR = 2;
inline constexpr int ROW_TITLE_WARNING = 3;
