#pragma once
// Files read and written whole. A write never leaves a file half written:
// the new contents go to a temporary file in the same folder, which is
// flushed to the disk and then renamed over the old file, so the file holds
// either its old contents or the new ones, whatever fails on the way.
#include <string>
#include <string_view>
#include <system_error>

// Replaces the file's contents (creating it when it is missing). An existing
// file keeps its permissions; a symbolic link keeps pointing at the file it
// names, which is replaced. On failure the old file is untouched, no
// temporary file is left, and the cause is returned.
std::error_code WriteWholeFile(const std::string& path, std::string_view contents);

// The whole contents of a regular file. A missing file gives
// std::errc::no_such_file_or_directory, a folder std::errc::is_a_directory,
// anything else that is no regular file std::errc::invalid_argument.
std::error_code ReadWholeFile(const std::string& path, std::string& contents);
