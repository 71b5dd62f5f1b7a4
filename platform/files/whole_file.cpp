#include "platform/files/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <optional>

namespace {

namespace fs = std::filesystem;

std::error_code LastError() { return {errno, std::generic_category()}; }

// Owns a descriptor; closing it is checked where it matters, in Close().
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// The file that a write replaces: the target of a symbolic link, else the path.
std::string ReplacedFile(const std::string& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  const fs::path target = fs::weakly_canonical(path, error);
  return error ? path : target.string();
}

// A new, empty temporary file beside `path`; its name in `name`.
std::error_code CreateTemporary(const std::string& path, std::string& name, std::optional<Descriptor>& file) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = path + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      file.emplace(fd);
      return {};
    }
    if (errno != EEXIST) return LastError();
  }
  return std::make_error_code(std::errc::file_exists);
}

std::error_code WriteAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t written = ::write(fd, contents.data(), contents.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    contents.remove_prefix(static_cast<size_t>(written));
  }
  return {};
}

// Writes, flushes and closes the temporary file.
std::error_code FillTemporary(Descriptor& file, std::string_view contents, const std::string& replaced) {
  struct stat old {};
  if (::stat(replaced.c_str(), &old) == 0 && S_ISREG(old.st_mode) &&
      ::fchmod(file.get(), old.st_mode & 07777) != 0)
    return LastError();
  if (auto error = WriteAll(file.get(), contents)) return error;
  if (::fsync(file.get()) != 0) return LastError();
  if (!file.Close()) return LastError();
  return {};
}

// Makes the rename itself last; a failure here leaves the new file in place.
void FlushFolder(const std::string& file) {
  const std::string folder = fs::path(file).parent_path().string();
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::error_code WriteWholeFile(const std::string& path, std::string_view contents) {
  const std::string replaced = ReplacedFile(path);
  std::string temporary;
  std::optional<Descriptor> file;
  if (auto error = CreateTemporary(replaced, temporary, file)) return error;
  std::error_code error = FillTemporary(*file, contents, replaced);
  if (!error && ::rename(temporary.c_str(), replaced.c_str()) != 0) error = LastError();
  if (error) {
    ::unlink(temporary.c_str());
    return error;
  }
  FlushFolder(replaced);
  return {};
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
