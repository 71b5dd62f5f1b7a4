#pragma once
// Console output, colours, title and key polls. Colours and the title are
// written as terminal escape sequences only when the stream is a terminal, so
// output that goes to a file or a pipe stays plain text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace platform::win {

using ConsoleHandle = std::FILE*;

constexpr int STD_INPUT_HANDLE = -10;
constexpr int STD_OUTPUT_HANDLE = -11;
constexpr int STD_ERROR_HANDLE = -12;

// stdin, stdout or stderr; null for another value.
ConsoleHandle GetStdHandle(int which);

// Writes `length` characters and flushes; true when all were written.
bool WriteConsoleA(ConsoleHandle console, const char* text, size_t length);

// Sets the terminal window's title when standard output is a terminal.
bool SetConsoleTitleA(const char* title);

// Text attribute as the console knows it: bits 0-3 the foreground
// (1 blue, 2 green, 4 red, 8 bright), bits 4-7 the background alike.
// 7 (grey on black) is the terminal's default colours.
bool SetConsoleTextAttribute(ConsoleHandle console, uint16_t attribute);

// The escape sequence that SetConsoleTextAttribute writes on a terminal.
std::string ConsoleAttributeSequence(uint16_t attribute);

// Key poll on standard input: nonzero when a key is waiting. When standard
// input is not a terminal no key is ever reported, so piped runs never see
// a stray key.
int _kbhit();

// Reads one key without echo (waits for it); on a non-terminal input the
// next byte, or -1 at the end of the input.
int _getch();

}  // namespace platform::win
