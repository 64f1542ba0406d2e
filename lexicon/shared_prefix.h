// How many leading codes two words share: the walks of a word list in order
// start each word where it parts from the one before.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lexicon/eight_bytes.h"

namespace tarvo {

// The length of the longest common prefix of a and b, found eight bytes at
// a time while `readable` bytes from the start of each can be read, though
// they reach past the shorter word: only the codes before its end count.
inline std::size_t SharedPrefixLengthReading(std::string_view a, std::string_view b, std::size_t readable) {
  const std::size_t limit = std::min(a.size(), b.size());
  std::size_t shared = 0;
  for (; shared < limit && shared + 8 <= readable; shared += 8) {
    const std::uint64_t differing = ReadEightBytes(a.data() + shared) ^ ReadEightBytes(b.data() + shared);
    if (differing != 0) return std::min(limit, shared + FirstFlaggedByte(differing));
  }
  if (shared >= limit) return limit;
  while (shared < limit && a[shared] == b[shared]) ++shared;
  return shared;
}

// The length of the longest common prefix of a and b: neighbouring words of
// a sorted list share most of their codes.
inline std::size_t SharedPrefixLength(std::string_view a, std::string_view b) {
  return SharedPrefixLengthReading(a, b, std::min(a.size(), b.size()));
}

// The same for two words that lie in one buffer ending at `end`: groups of
// eight are read as long as they end in the buffer, which for short words
// is most of the time.
inline std::size_t SharedPrefixLength(std::string_view a, std::string_view b, const char* end) {
  return SharedPrefixLengthReading(a, b, static_cast<std::size_t>(end - std::max(a.data(), b.data())));
}

}  // namespace tarvo
