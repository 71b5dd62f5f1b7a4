#pragma once
// Loads flashcore and binds its exports by name for the benchmark programs;
// a library that does not load ends the program with 54, a missing export
// with 2.
#include <cstdio>
#include <cstdlib>

#include "platform/win/library.h"
#include "tests/support/deliverables.h"

inline platform::win::Library loadFlashcore() {
  platform::win::Library library(platform::win::LoadLibraryA(deliverable("flashcore.dll").c_str()));
  if (!library) {
    std::fprintf(stderr, "%s\n", platform::win::LastLibraryError().c_str());
    std::exit(54);
  }
  return library;
}

template <class Function>
Function bind(const platform::win::Library& library, const char* name) {
  void* address = library.symbol(name);
  if (address == nullptr) {
    std::fprintf(stderr, "missing export %s\n", name);
    std::exit(2);
  }
  return reinterpret_cast<Function>(address);
}

#define BIND(name) auto name = bind<decltype(&::name)>(library, #name)
