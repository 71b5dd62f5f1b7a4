#pragma once
// Binds flashcore's exports by name for the benchmark programs; a missing
// export ends the program with 2.
#include <cstdio>
#include <cstdlib>

#include "platform/win/library.h"

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
