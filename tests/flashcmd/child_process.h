#pragma once
// A program under test in its own process: its standard output read as it
// comes (through a pipe, or a pseudo-terminal to look like a console), its
// standard input fed by the test, its exit status waited for with a deadline.
#include <sys/types.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

class ChildProcess {
 public:
  struct Setup {
    std::vector<std::string> args;                         // after the program path
    std::vector<std::pair<std::string, std::string>> env;  // added to the test's environment
    std::string folder;                                    // working folder; empty: the test's
    bool terminalOutput = false;                           // standard output on a pseudo-terminal
    bool terminalInput = false;                            // standard input on a pseudo-terminal
  };

  ChildProcess(const std::string& program, const Setup& setup);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Reads output until it holds `text`; false when the deadline passes or
  // the output ends first.
  bool waitForOutput(const std::string& text, std::chrono::milliseconds timeout = std::chrono::seconds(60));
  void writeInput(const std::string& text);
  void closeInput();
  // Reads the rest of the output and returns the exit status (-1 when the
  // deadline passes, after which the program is killed).
  int wait(std::chrono::milliseconds timeout = std::chrono::seconds(120));

  const std::string& output() const { return output_; }
  const std::string& errors() const { return errors_; }

 private:
  bool readSome(int timeoutMs);

  pid_t pid_ = -1;
  int input_ = -1;
  int outputFd_ = -1;
  int errorFd_ = -1;
  std::string output_;
  std::string errors_;
};

// Runs the program with no input and returns its exit status.
int runProgram(const std::string& program, const ChildProcess::Setup& setup, std::string* output,
               std::string* errors = nullptr);
