#pragma once
// libflashcore.so loaded by its Windows name as the console programmer loads
// it, and its exports called through the addresses found by name.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "flashcore/core/isp_exports.h"
#include "platform/win/library.h"

// The library to load; a test target may name one in another folder.
#ifndef FLASHCORE_LIBRARY
#define FLASHCORE_LIBRARY "flashcore.dll"
#endif

class FlashcoreLibrary {
 public:
  static FlashcoreLibrary& instance() {
    static FlashcoreLibrary library;
    return library;
  }

  void* symbol(const char* name) const { return library_.symbol(name); }

 private:
  FlashcoreLibrary() : library_(platform::win::LoadLibraryA(FLASHCORE_LIBRARY)) {
    if (!library_) throw std::runtime_error(FLASHCORE_LIBRARY ": " + platform::win::LastLibraryError());
  }

  platform::win::Library library_;
};

template <class Function>
Function exportNamed(const char* name) {
  void* address = FlashcoreLibrary::instance().symbol(name);
  if (address == nullptr) throw std::runtime_error(std::string("missing export ") + name);
  return reinterpret_cast<Function>(address);
}

// The export of that name, typed as declared: ISP(ispSelectDevice)(17).
#define ISP(name) (exportNamed<decltype(&::name)>(#name))
