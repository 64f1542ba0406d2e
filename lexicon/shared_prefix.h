// How many leading codes two words share: the walks of a word list in order
// start each word where it parts from the one before.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lexicon/eight_bytes.h"

namespace tarvo {

// The length of the longest common prefix of a and b, found eight bytes at a
// time: neighbouring words of a sorted list share most of their codes.
inline std::size_t SharedPrefixLength(std::string_view a, std::string_view b) {
  const std::size_t limit = std::min(a.size(), b.size());
  std::size_t shared = 0;
  for (; shared + 8 <= limit; shared += 8) {
    const std::uint64_t differing = ReadEightBytes(a.data() + shared) ^ ReadEightBytes(b.data() + shared);
    if (differing != 0) return shared + FirstFlaggedByte(differing);
  }
  while (shared < limit && a[shared] == b[shared]) ++shared;
  return shared;
}

// The same for two words that lie in one buffer ending at `end`: groups of
// eight are read as long as they end in the buffer, though they reach past
// the shorter word, which short words mostly do; only the codes before its
// end count.
inline std::size_t SharedPrefixLength(std::string_view a, std::string_view b, const char* end) {
  const std::size_t limit = std::min(a.size(), b.size());
  std::size_t shared = 0;
  for (; shared < limit && a.data() + shared + 8 <= end && b.data() + shared + 8 <= end; shared += 8) {
    const std::uint64_t differing = ReadEightBytes(a.data() + shared) ^ ReadEightBytes(b.data() + shared);
    if (differing != 0) return std::min(limit, shared + FirstFlaggedByte(differing));
  }
  if (shared >= limit) return limit;
  while (shared < limit && a[shared] == b[shared]) ++shared;
  return shared;
}

}  // namespace tarvo
