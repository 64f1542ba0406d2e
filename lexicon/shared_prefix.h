// How many leading codes two words share: the walks of a word list in order
// start each word where it parts from the one before.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tarvo {

// The length of the longest common prefix of a and b, found eight bytes at a
// time: neighbouring words of a sorted list share most of their codes.
inline std::size_t SharedPrefixLength(std::string_view a, std::string_view b) {
  const std::size_t limit = std::min(a.size(), b.size());
  std::size_t shared = 0;
  for (; shared + 8 <= limit; shared += 8) {
    std::uint64_t x;
    std::uint64_t y;
    std::memcpy(&x, a.data() + shared, sizeof x);
    std::memcpy(&y, b.data() + shared, sizeof y);
    if (x != y) {
      // The first differing byte is the lowest in memory.
      const std::uint64_t diff = x ^ y;
      const int bit = std::endian::native == std::endian::little ? std::countr_zero(diff) : std::countl_zero(diff);
      return shared + static_cast<std::size_t>(bit / 8);
    }
  }
  while (shared < limit && a[shared] == b[shared]) ++shared;
  return shared;
}

}  // namespace tarvo
