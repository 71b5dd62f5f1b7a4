#include "tests/flashcmd/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace {

void closeFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const Setup& setup) {
  // Everything the child needs is built before fork: after it only
  // async-signal-safe calls may run.
  std::vector<std::string> args{program};
  args.insert(args.end(), setup.args.begin(), setup.args.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  std::vector<std::string> envStrings;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    bool replaced = false;
    for (const auto& [name, value] : setup.env) replaced = replaced || entry.rfind(name + "=", 0) == 0;
    if (!replaced) envStrings.push_back(entry);
  }
  for (const auto& [name, value] : setup.env) envStrings.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (std::string& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  // [0] is the reading end, [1] the writing end, as for a pipe.
  int in[2], out[2], err[2];
  if (::pipe2(err, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  if (setup.terminalInput) {
    if (::openpty(&in[1], &in[0], nullptr, nullptr, nullptr) != 0) throw std::runtime_error("openpty");
    ::fcntl(in[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(in[1], F_SETFD, FD_CLOEXEC);
  } else if (::pipe2(in, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe");
  }
  if (setup.terminalOutput) {
    if (::openpty(&out[0], &out[1], nullptr, nullptr, nullptr) != 0) throw std::runtime_error("openpty");
    termios raw{};
    ::tcgetattr(out[1], &raw);
    ::cfmakeraw(&raw);  // line ends as written
    ::tcsetattr(out[1], TCSANOW, &raw);
    ::fcntl(out[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(out[1], F_SETFD, FD_CLOEXEC);
  } else if (::pipe2(out, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe");
  }
  const char* folder = setup.folder.empty() ? nullptr : setup.folder.c_str();

  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork");
  if (pid_ == 0) {
    ::dup2(in[0], STDIN_FILENO);
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(err[1], STDERR_FILENO);
    if (folder != nullptr && ::chdir(folder) != 0) ::_exit(126);
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  input_ = in[1];
  outputFd_ = out[0];
  errorFd_ = err[0];
}

ChildProcess::~ChildProcess() {
  closeFd(input_);
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  closeFd(outputFd_);
  closeFd(errorFd_);
}

// Reads what is there within the time; false once both streams have ended.
bool ChildProcess::readSome(int timeoutMs) {
  pollfd fds[2] = {{outputFd_, POLLIN, 0}, {errorFd_, POLLIN, 0}};
  if (outputFd_ < 0 && errorFd_ < 0) return false;
  const int ready = ::poll(fds, 2, timeoutMs);
  if (ready < 0 && errno != EINTR) return false;
  char buffer[4096];
  int* fdOf[2] = {&outputFd_, &errorFd_};
  std::string* textOf[2] = {&output_, &errors_};
  for (int i = 0; i < 2; ++i) {
    if (*fdOf[i] < 0 || fds[i].revents == 0) continue;
    const ssize_t n = ::read(*fdOf[i], buffer, sizeof buffer);
    if (n > 0)
      textOf[i]->append(buffer, static_cast<size_t>(n));
    else if (n == 0 || errno != EINTR)  // end of output (a pseudo-terminal reports EIO)
      closeFd(*fdOf[i]);
  }
  return outputFd_ >= 0 || errorFd_ >= 0;
}

bool ChildProcess::waitForOutput(const std::string& text, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (output_.find(text) == std::string::npos) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    if (!readSome(100) && output_.find(text) == std::string::npos) return false;
  }
  return true;
}

void ChildProcess::writeInput(const std::string& text) {
  size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(input_, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw std::runtime_error("write to the program's input");
    written += static_cast<size_t>(n);
  }
}

void ChildProcess::closeInput() { closeFd(input_); }

int ChildProcess::wait(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  for (;;) {
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_) break;
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
      pid_ = -1;
      return -1;
    }
    if (!readSome(50)) ::usleep(10000);  // output closed: the end is near
  }
  pid_ = -1;
  while (readSome(0)) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int runProgram(const std::string& program, const ChildProcess::Setup& setup, std::string* output, std::string* errors) {
  ChildProcess child(program, setup);
  child.closeInput();
  const int status = child.wait();
  if (output != nullptr) *output = child.output();
  if (errors != nullptr) *errors = child.errors();
  return status;
}
