#pragma once
// A file that cannot be opened, read or written: says which and why on the
// error output, for the technician, then throws STATUS 22.
#include <string>

[[noreturn]] void failOnFile(const char* action, const std::string& path, int error);
