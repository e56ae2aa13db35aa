#pragma once
// Stops the fuzzer with the property that failed.

#include <cstdio>
#include <cstdlib>

inline void Check(bool condition, const char* property) {
  if (!condition) {
    std::fprintf(stderr, "property violated: %s\n", property);
    std::abort();
  }
}
