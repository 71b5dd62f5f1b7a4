#pragma once
// The delivered libflashcore.so loaded as the console programmer loads it,
// and its exports called through the addresses found by name.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "flashcore/core/isp_exports.h"
#include "platform/win/library.h"
#include "tests/support/deliverables.h"

// The library to load; a test may name another before it includes this
// header (an expression that gives its path).
#ifndef FLASHCORE_LIBRARY
#define FLASHCORE_LIBRARY deliverable("flashcore.dll")
#endif

class FlashcoreLibrary {
 public:
  static FlashcoreLibrary& instance() {
    static FlashcoreLibrary library;
    return library;
  }

  void* symbol(const char* name) const { return library_.symbol(name); }

 private:
  FlashcoreLibrary() : path_(FLASHCORE_LIBRARY), library_(platform::win::LoadLibraryA(path_.c_str())) {
    if (!library_) throw std::runtime_error(path_ + ": " + platform::win::LastLibraryError());
  }

  std::string path_;
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
