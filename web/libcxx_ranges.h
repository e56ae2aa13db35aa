#pragma once
// What the core needs of std::ranges that emscripten 3.1.6's libc++ (LLVM 14) lacks, given to
// the core's sources when it is compiled for the page (web/CMakeLists.txt): ranges::equal.
// A library that has it is left alone.

#include <algorithm>
#include <functional>
#include <iterator>
#include <version>

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 15000
namespace std::ranges {
struct __tarnivel_equal {
  template <class First, class Second, class Same = std::equal_to<>>
  constexpr bool operator()(First&& first, Second&& second, Same same = {}) const {
    return std::equal(std::begin(first), std::end(first), std::begin(second), std::end(second),
                      same);
  }
};
inline constexpr __tarnivel_equal equal{};
}  // namespace std::ranges
#endif
