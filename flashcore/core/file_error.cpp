#include "flashcore/core/file_error.h"

#include <cstdio>
#include <cstring>

#include "flashcore/core/status.h"

void failOnFile(const char* action, const std::string& path, int error) {
  std::fprintf(stderr, "flashcore: cannot %s HEX file %s: %s\n", action, path.c_str(), std::strerror(error));
  throw STATUS_CANNOT_OPEN_FILE;
}
