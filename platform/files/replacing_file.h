#pragma once
// A file written in pieces that replaces the file of its name only once it
// is complete. The pieces go straight to a temporary file in the same
// folder; Commit() flushes that file to the disk and renames it over the old
// one, so the name holds either the old contents or all of the new ones,
// whatever fails on the way. A file that is not committed, or whose writing
// failed, leaves the old file as it was and no temporary file behind.
#include <string>
#include <string_view>
#include <system_error>

class ReplacingFile {
 public:
  ReplacingFile() = default;
  ~ReplacingFile() { Discard(); }
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // Starts new contents for `path` (for a symbolic link: for the file it
  // names). Gives the cause when no temporary file can be made beside it, or
  // when `path` is a folder.
  std::error_code Open(const std::string& path);
  bool IsOpen() const { return fd_ >= 0; }
  // The path given to Open().
  const std::string& Path() const { return path_; }

  // Writes `text` at once, unbuffered. After the first failure nothing more
  // is written; that failure is returned by this and every later call.
  std::error_code Write(std::string_view text);
  // The first failure of a write, none while all went well.
  std::error_code Error() const { return error_; }

  // Flushes the new contents to the disk and renames them over the old file,
  // which keeps its permissions. After a failed write, or when this fails,
  // the temporary file is removed, the old file stays, and the cause is
  // returned. The file is closed either way.
  std::error_code Commit();
  // Drops the new contents; the old file stays.
  void Discard();

 private:
  std::string path_;
  std::string replaced_;   // the file that a commit replaces
  std::string temporary_;  // the temporary file while open
  int fd_ = -1;
  std::error_code error_;
};
