#include "comlink/loaded_name.h"

#include <dlfcn.h>

std::string LoadedLibraryName(const char* fallback) {
  // This function is linked into each library, so its address names the file.
  Dl_info info{};
  if (dladdr(reinterpret_cast<const void*>(&LoadedLibraryName), &info) == 0 || info.dli_fname == nullptr)
    return fallback;
  std::string name = info.dli_fname;
  name = name.substr(name.find_last_of('/') + 1);
  if (name.rfind("lib", 0) == 0) name.erase(0, 3);
  const size_t so = name.find(".so");
  if (so != std::string::npos) name.erase(so);
  return name.empty() ? fallback : name;
}
