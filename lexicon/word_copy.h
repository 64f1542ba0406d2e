// Copying one word's codes among many, most of them short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tarvo {

// Copies `length` codes from `from` to `to`. Where the 16 bytes from each
// lie within its block (before from_end and to_end), a word of up to 16
// codes moves as one group, which is much cheaper than a call to memcpy:
// the bytes written past the word must be ones the caller writes later.
// Copies nothing for an empty word, whose pointers may be null.
inline void CopyWord(char* to, const char* to_end, const char* from, const char* from_end, std::size_t length) {
  constexpr std::size_t kGroup = 16;
  if (length <= kGroup && to_end - to >= static_cast<std::ptrdiff_t>(kGroup) &&
      from_end - from >= static_cast<std::ptrdiff_t>(kGroup)) {
    char group[kGroup];
    std::memcpy(group, from, kGroup);
    std::memcpy(to, group, kGroup);
  } else if (length > 0) {
    std::memcpy(to, from, length);
  }
}

// Copies `length` bytes from `from` to `to`, touching no byte outside
// either range, without a call to memcpy for a word of up to 16 bytes: two
// copies of a fixed size, overlapping in the middle, cover it.
inline void CopyWordWithin(char* to, const char* from, std::size_t length) {
  const auto copy_ends = [&](auto piece) {
    std::memcpy(&piece, from, sizeof piece);
    std::memcpy(to, &piece, sizeof piece);
    std::memcpy(&piece, from + length - sizeof piece, sizeof piece);
    std::memcpy(to + length - sizeof piece, &piece, sizeof piece);
  };
  if (length > 16) std::memcpy(to, from, length);
  else if (length >= 8) copy_ends(std::uint64_t{});
  else if (length >= 4) copy_ends(std::uint32_t{});
  else if (length > 0) {
    // One, two or three bytes: the first, the middle one and the last.
    to[0] = from[0];
    to[length / 2] = from[length / 2];
    to[length - 1] = from[length - 1];
  }
}

}  // namespace tarvo
