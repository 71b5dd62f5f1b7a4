#include "platform/win/console.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace platform::win {
namespace {

bool IsTerminal(std::FILE* stream) { return stream != nullptr && isatty(fileno(stream)) == 1; }

int AnsiColour(unsigned windowsColour) {
  return ((windowsColour & 4) ? 1 : 0) | ((windowsColour & 2) ? 2 : 0) | ((windowsColour & 1) ? 4 : 0);
}

// Runs `body` with standard input in non-canonical mode without echo,
// restoring the terminal's mode afterwards.
template <class Body>
int WithKeyMode(int minChars, Body body) {
  termios saved{};
  if (tcgetattr(STDIN_FILENO, &saved) != 0) return body();
  termios keys = saved;
  keys.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  keys.c_cc[VMIN] = static_cast<cc_t>(minChars);
  keys.c_cc[VTIME] = 0;
  tcsetattr(STDIN_FILENO, TCSANOW, &keys);
  const int result = body();
  tcsetattr(STDIN_FILENO, TCSANOW, &saved);
  return result;
}

}  // namespace

ConsoleHandle GetStdHandle(int which) {
  switch (which) {
    case STD_INPUT_HANDLE: return stdin;
    case STD_OUTPUT_HANDLE: return stdout;
    case STD_ERROR_HANDLE: return stderr;
    default: return nullptr;
  }
}

bool WriteConsoleA(ConsoleHandle console, const char* text, size_t length) {
  if (console == nullptr || (text == nullptr && length > 0)) return false;
  const size_t written = length ? std::fwrite(text, 1, length, console) : 0;
  return std::fflush(console) == 0 && written == length;
}

bool SetConsoleTitleA(const char* title) {
  if (title == nullptr) return false;
  if (!IsTerminal(stdout)) return true;
  std::fprintf(stdout, "\033]0;%s\007", title);
  return std::fflush(stdout) == 0;
}

std::string ConsoleAttributeSequence(uint16_t attribute) {
  const unsigned fg = attribute & 0xF;
  const unsigned bg = (attribute >> 4) & 0xF;
  if (fg == 7 && bg == 0) return "\033[0m";
  // Appended piece by piece: a literal put in front of a temporary string trips a false -Wrestrict in GCC 12 at -O2.
  std::string seq = "\033[0;";
  seq += std::to_string(((fg & 8) ? 90 : 30) + AnsiColour(fg));
  if (bg != 0) {
    seq += ';';
    seq += std::to_string(((bg & 8) ? 100 : 40) + AnsiColour(bg));
  }
  seq += 'm';
  return seq;
}

bool SetConsoleTextAttribute(ConsoleHandle console, uint16_t attribute) {
  if (console == nullptr) return false;
  if (!IsTerminal(console)) return true;
  const std::string seq = ConsoleAttributeSequence(attribute);
  std::fwrite(seq.data(), 1, seq.size(), console);
  return std::fflush(console) == 0;
}

int _kbhit() {
  if (isatty(STDIN_FILENO) != 1) return 0;
  return WithKeyMode(0, [] {
    pollfd p{STDIN_FILENO, POLLIN, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & POLLIN) ? 1 : 0;
  });
}

int _getch() {
  const auto readOne = [] {
    unsigned char c = 0;
    return read(STDIN_FILENO, &c, 1) == 1 ? static_cast<int>(c) : -1;
  };
  if (isatty(STDIN_FILENO) != 1) return readOne();
  return WithKeyMode(1, readOne);
}

}  // namespace platform::win
