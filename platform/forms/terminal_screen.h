#pragma once
// The character grid of a terminal and the subset of VT100/ANSI control
// sequences that a device's text output uses: printable ASCII characters, CR, LF,
// BS, TAB, and ESC [ sequences for cursor moves (A B C D H f), erasing
// (J K) and attributes (m, which are taken and ignored: the terminal shows
// one colour). Plain C++, without a window.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TerminalScreen {
 public:
  TerminalScreen(int columns, int rows);

  int Columns() const { return columns_; }
  int Rows() const { return rows_; }
  int CursorRow() const { return row_; }
  int CursorColumn() const { return std::min(column_, columns_ - 1); }

  // Text reaching the right edge goes on in the next row; without wrapping
  // it overwrites the last column.
  bool WrapLines = true;
  // LF also returns to the first column (for devices that end lines with LF alone).
  bool NewLineOnLf = false;
  // Bytes without a printable character (0x7F and up, and the control
  // characters the terminal does not act on) show as their value in hex,
  // "<1F>"; otherwise they show nothing.
  bool UnprintableAsHex = true;

  void Feed(std::span<const uint8_t> bytes);
  void Feed(std::string_view text);
  // Blanks the grid and puts the cursor home.
  void Clear();

  char At(int row, int column) const { return cells_[static_cast<size_t>(row * columns_ + column)]; }
  // A row without its trailing blanks.
  std::string Line(int row) const;
  // Counts every change of the grid, so that a view repaints only when needed.
  uint64_t Revision() const { return revision_; }

 private:
  enum class State { Text, Escape, Sequence };

  void Put(char c);
  void PutUnprintable(uint8_t b);
  void LineFeed();
  void ScrollUp();
  void Perform(char final);
  void EraseInDisplay(int mode);
  void EraseInLine(int mode);
  void Blank(int from, int to);  // cells [from, to) of the grid
  int Parameter(size_t index, int fallback) const;

  int columns_;
  int rows_;
  std::vector<char> cells_;
  int row_ = 0;
  int column_ = 0;  // columns_ after the last column: the next character wraps
  State state_ = State::Text;
  std::vector<int> parameters_;
  uint64_t revision_ = 0;
};
