#include "platform/win/library.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <cstdlib>
#include <vector>

namespace platform::win {
namespace {

thread_local std::string lastError;

bool EndsWithNoCase(std::string_view text, std::string_view tail) {
  if (text.size() < tail.size()) return false;
  text.remove_prefix(text.size() - tail.size());
  for (size_t i = 0; i < tail.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != tail[i]) return false;
  return true;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ExecutableFolder() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return {};
  return FolderOf(std::string(path, static_cast<size_t>(n)));
}

// Folder of the executable or shared library that holds `anchor`.
std::string ModuleFolder(const void* anchor) {
  Dl_info info{};
  link_map* map = nullptr;
  if (anchor == nullptr ||
      dladdr1(anchor, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0)
    return {};
  // The main program's link map entry has an empty name.
  if (map == nullptr || map->l_name == nullptr || map->l_name[0] == '\0') return ExecutableFolder();
  char resolved[PATH_MAX];
  if (realpath(map->l_name, resolved) == nullptr) return FolderOf(map->l_name);
  return FolderOf(resolved);
}

HMODULE TryOpen(const std::string& path, std::string& errors) {
  dlerror();
  if (void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
  const char* why = dlerror();
  if (!errors.empty()) errors += "; ";
  errors += why ? why : (path + ": cannot be loaded");
  return nullptr;
}

}  // namespace

std::string LibraryFileName(std::string_view name) {
  const size_t slash = name.rfind('/');
  const std::string_view folder = slash == std::string_view::npos ? std::string_view() : name.substr(0, slash + 1);
  std::string_view file = slash == std::string_view::npos ? name : name.substr(slash + 1);
  if (EndsWithNoCase(file, ".so") || file.find(".so.") != std::string_view::npos)
    return std::string(name);
  if (EndsWithNoCase(file, ".dll")) file.remove_suffix(4);
  return std::string(folder) + "lib" + std::string(file) + ".so";
}

HMODULE LoadLibraryBeside(const char* name, const void* anchor) {
  lastError.clear();
  if (name == nullptr || *name == '\0') {
    lastError = "no library name";
    return nullptr;
  }
  const std::string file = LibraryFileName(name);
  std::string errors;
  if (file.find('/') != std::string::npos) {
    HMODULE module = TryOpen(file, errors);
    if (!module) lastError = errors;
    return module;
  }
  std::vector<std::string> candidates;
  for (const std::string& folder : {ModuleFolder(anchor), ExecutableFolder()}) {
    if (folder.empty()) continue;
    std::string path = folder + "/" + file;
    bool seen = false;
    for (const std::string& c : candidates) seen = seen || c == path;
    if (!seen && access(path.c_str(), F_OK) == 0) candidates.push_back(std::move(path));
  }
  candidates.push_back(file);  // the normal library path
  for (const std::string& path : candidates)
    if (HMODULE module = TryOpen(path, errors)) return module;
  lastError = errors;
  return nullptr;
}

__attribute__((noinline)) HMODULE LoadLibraryA(const char* name) {
  return LoadLibraryBeside(name, __builtin_return_address(0));
}

void* GetProcAddress(HMODULE module, const char* name) {
  if (module == nullptr || name == nullptr) return nullptr;
  return dlsym(module, name);
}

bool FreeLibrary(HMODULE module) { return module != nullptr && dlclose(module) == 0; }

std::string LastLibraryError() { return lastError; }

}  // namespace platform::win
