#include "platform/files/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

std::error_code LastError() { return {errno, std::generic_category()}; }

// The file that a write replaces: the target of a symbolic link, else the path.
std::string ReplacedFile(const std::string& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  const fs::path target = fs::weakly_canonical(path, error);
  return error ? path : target.string();
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

std::error_code ReplacingFile::Open(const std::string& path) {
  Discard();
  path_ = path;
  replaced_ = ReplacedFile(path);
  error_.clear();
  // A folder of that name could never be replaced: say so now, not at the end.
  std::error_code ignored;
  if (fs::is_directory(replaced_, ignored)) return std::make_error_code(std::errc::is_a_directory);
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary_ = replaced_ + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) return {};
    if (errno != EEXIST) break;
  }
  const std::error_code error = errno == EEXIST ? std::make_error_code(std::errc::file_exists) : LastError();
  temporary_.clear();
  return error;
}

std::error_code ReplacingFile::Write(std::string_view text) {
  if (!IsOpen()) return error_ ? error_ : std::make_error_code(std::errc::bad_file_descriptor);
  while (!error_ && !text.empty()) {
    const ssize_t written = ::write(fd_, text.data(), text.size());
    if (written < 0) {
      if (errno != EINTR) error_ = LastError();
      continue;
    }
    text.remove_prefix(static_cast<size_t>(written));
  }
  return error_;
}

std::error_code ReplacingFile::Commit() {
  if (!IsOpen()) return error_ ? error_ : std::make_error_code(std::errc::bad_file_descriptor);
  struct stat old {};
  if (!error_ && ::stat(replaced_.c_str(), &old) == 0 && S_ISREG(old.st_mode) &&
      ::fchmod(fd_, old.st_mode & 07777) != 0)
    error_ = LastError();
  if (!error_ && ::fsync(fd_) != 0) error_ = LastError();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && !error_) error_ = LastError();
  if (!error_ && ::rename(temporary_.c_str(), replaced_.c_str()) != 0) error_ = LastError();
  if (error_) {
    ::unlink(temporary_.c_str());
    temporary_.clear();
    return error_;
  }
  temporary_.clear();
  FlushFolder(replaced_);
  return {};
}

void ReplacingFile::Discard() {
  if (!IsOpen()) return;
  ::close(fd_);
  fd_ = -1;
  ::unlink(temporary_.c_str());
  temporary_.clear();
}
