#include "platform/files/whole_file.h"

#include "platform/files/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

// Owns a descriptor for reading.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::error_code WriteWholeFile(const std::string& path, std::string_view contents) {
  ReplacingFile file;
  if (auto error = file.Open(path)) return error;
  file.Write(contents);
  return file.Commit();
}

std::error_code ReadWholeFile(const std::string& path, std::string& contents) {
  // Not blocking on the open keeps a named pipe from holding the caller up.
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) return LastError();
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) return LastError();
  if (S_ISDIR(info.st_mode)) return std::make_error_code(std::errc::is_a_directory);
  // A device or a pipe may never end.
  if (!S_ISREG(info.st_mode)) return std::make_error_code(std::errc::invalid_argument);
  std::string text;
  text.reserve(static_cast<size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    if (got == 0) break;
    text.append(buffer, static_cast<size_t>(got));
  }
  contents = std::move(text);
  return {};
}
