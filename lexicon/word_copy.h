// Copying one word's codes among many, most of them short.
#pragma once

#include <cstddef>
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

}  // namespace tarvo
