#pragma once
// Loading shared libraries by their Windows file names.
//
// A name "X.dll" stands for the shared library "libX.so". It is looked up
// first in the folder of the program or library that asks for it, then in the
// folder of the executable, then on the normal library path. A name that
// holds a "/" is loaded from that path only (its file part mapped the same way).
#include <string>
#include <string_view>

namespace platform::win {

using HMODULE = void*;  // null: no library

// "comlink.dll" -> "libcomlink.so"; "comlink" -> "libcomlink.so"; a name that
// already ends in ".so" (or holds ".so.") stands as it is.
std::string LibraryFileName(std::string_view name);

// Loads the library; the caller's own folder is found from the return address,
// so a call from libflashcore.so searches beside libflashcore.so first.
// Null on failure (LastLibraryError() tells why).
HMODULE LoadLibraryA(const char* name);

// As LoadLibraryA, with the folder of the module that holds `anchor` (any
// function or object address) searched first.
HMODULE LoadLibraryBeside(const char* name, const void* anchor);

// Address of the exported symbol, or null.
void* GetProcAddress(HMODULE module, const char* name);

// Unloads; true on success.
bool FreeLibrary(HMODULE module);

// Text of the last failure of LoadLibraryA/LoadLibraryBeside on this thread:
// every place tried and why it failed.
std::string LastLibraryError();

// Owns one loaded library and frees it on destruction.
class Library {
 public:
  Library() = default;
  explicit Library(HMODULE module) : module_(module) {}
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  Library(Library&& other) noexcept : module_(other.release()) {}
  Library& operator=(Library&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~Library() { reset(); }

  HMODULE get() const { return module_; }
  explicit operator bool() const { return module_ != nullptr; }
  void* symbol(const char* name) const { return module_ ? GetProcAddress(module_, name) : nullptr; }
  HMODULE release() {
    HMODULE m = module_;
    module_ = nullptr;
    return m;
  }
  void reset(HMODULE module = nullptr) {
    if (module_) FreeLibrary(module_);
    module_ = module;
  }

 private:
  HMODULE module_ = nullptr;
};

}  // namespace platform::win
