#include "platform/forms/terminal_screen.h"

#include <algorithm>

namespace {

constexpr uint8_t kEsc = 0x1B;
constexpr int kTabWidth = 8;
constexpr int kMaxParameter = 9999;
constexpr size_t kMaxParameters = 16;

}  // namespace

TerminalScreen::TerminalScreen(int columns, int rows)
    : columns_(std::max(columns, 1)), rows_(std::max(rows, 1)), cells_(static_cast<size_t>(columns_ * rows_), ' ') {}

void TerminalScreen::Feed(std::string_view text) {
  Feed(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

void TerminalScreen::Feed(std::span<const uint8_t> bytes) {
  for (const uint8_t b : bytes) {
    switch (state_) {
      case State::Text:
        if (b == kEsc) {
          state_ = State::Escape;
        } else if (b == '\r') {
          column_ = 0;
        } else if (b == '\n' || b == 0x0B || b == 0x0C) {
          LineFeed();
          if (NewLineOnLf) column_ = 0;
        } else if (b == '\b') {
          column_ = std::max(std::min(column_, columns_ - 1) - 1, 0);
        } else if (b == '\t') {
          column_ = std::min((std::min(column_, columns_ - 1) / kTabWidth + 1) * kTabWidth, columns_ - 1);
        } else if (b >= 0x20 && b < 0x7F) {
          Put(static_cast<char>(b));
        } else {
          PutUnprintable(b);
        }
        break;
      case State::Escape:
        if (b == '[') {
          state_ = State::Sequence;
          parameters_.assign(1, -1);
        } else {
          if (b == 'c') Clear();  // full reset
          state_ = State::Text;   // other escapes are taken and ignored
        }
        break;
      case State::Sequence:
        if (b >= '0' && b <= '9') {
          int& p = parameters_.back();
          p = std::min((p < 0 ? 0 : p) * 10 + (b - '0'), kMaxParameter);
        } else if (b == ';') {
          if (parameters_.size() < kMaxParameters) parameters_.push_back(-1);
        } else if (b >= 0x40 && b <= 0x7E) {
          Perform(static_cast<char>(b));
          state_ = State::Text;
        } else if (b < 0x20 || b > 0x3F) {
          state_ = State::Text;  // not a sequence after all
        }
        break;
    }
  }
}

void TerminalScreen::Put(char c) {
  if (column_ >= columns_) {
    if (WrapLines) {
      column_ = 0;
      LineFeed();
    } else {
      column_ = columns_ - 1;
    }
  }
  cells_[static_cast<size_t>(row_ * columns_ + column_)] = c;
  ++column_;
  ++revision_;
}

void TerminalScreen::PutUnprintable(uint8_t b) {
  if (!UnprintableAsHex) return;
  constexpr char kDigits[] = "0123456789ABCDEF";
  for (const char c : {'<', kDigits[b >> 4], kDigits[b & 0xF], '>'}) Put(c);
}

void TerminalScreen::LineFeed() {
  if (row_ + 1 < rows_)
    ++row_;
  else
    ScrollUp();
  column_ = std::min(column_, columns_ - 1);
}

void TerminalScreen::ScrollUp() {
  std::copy(cells_.begin() + columns_, cells_.end(), cells_.begin());
  std::fill(cells_.end() - columns_, cells_.end(), ' ');
  ++revision_;
}

int TerminalScreen::Parameter(size_t index, int fallback) const {
  if (index >= parameters_.size() || parameters_[index] <= 0) return fallback;
  return parameters_[index];
}

void TerminalScreen::Perform(char final) {
  const int n = Parameter(0, 1);
  const int column = std::min(column_, columns_ - 1);
  switch (final) {
    case 'A': row_ = std::max(row_ - n, 0); column_ = column; break;
    case 'B': row_ = std::min(row_ + n, rows_ - 1); column_ = column; break;
    case 'C': column_ = std::min(column + n, columns_ - 1); break;
    case 'D': column_ = std::max(column - n, 0); break;
    case 'H':
    case 'f':
      row_ = std::clamp(Parameter(0, 1), 1, rows_) - 1;
      column_ = std::clamp(Parameter(1, 1), 1, columns_) - 1;
      break;
    case 'J': EraseInDisplay(std::max(parameters_[0], 0)); break;
    case 'K': EraseInLine(std::max(parameters_[0], 0)); break;
    default: break;  // 'm' and the rest: taken, nothing shown
  }
}

void TerminalScreen::EraseInDisplay(int mode) {
  const int here = row_ * columns_ + std::min(column_, columns_ - 1);
  const int end = columns_ * rows_;
  if (mode == 0) Blank(here, end);
  if (mode == 1) Blank(0, here + 1);
  if (mode == 2) Blank(0, end);
}

void TerminalScreen::EraseInLine(int mode) {
  const int start = row_ * columns_;
  const int here = start + std::min(column_, columns_ - 1);
  if (mode == 0) Blank(here, start + columns_);
  if (mode == 1) Blank(start, here + 1);
  if (mode == 2) Blank(start, start + columns_);
}

void TerminalScreen::Blank(int from, int to) {
  std::fill(cells_.begin() + from, cells_.begin() + to, ' ');
  ++revision_;
}

void TerminalScreen::Clear() {
  std::fill(cells_.begin(), cells_.end(), ' ');
  row_ = 0;
  column_ = 0;
  state_ = State::Text;
  ++revision_;
}

std::string TerminalScreen::Line(int row) const {
  const auto begin = cells_.begin() + row * columns_;
  std::string line(begin, begin + columns_);
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}
