// Scanning bytes eight at a time: a group of eight bytes is read as one
// number whose lowest byte is the first in memory, whatever the machine's
// byte order, so that the first byte to stand out is found by counting
// trailing zero bits.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "lexicon/assertions.h"

namespace tarvo {

// The eight bytes at p; the byte at p + i is bits 8i to 8i + 7.
inline std::uint64_t ReadEightBytes(const void* p) {
  std::uint64_t group;
  std::memcpy(&group, p, sizeof group);
  if constexpr (std::endian::native == std::endian::big) group = __builtin_bswap64(group);
  return group;
}

// The place (0 to 7) of the first byte of a group read by ReadEightBytes
// that has a bit set in `flags`, which must not be 0.
inline std::size_t FirstFlaggedByte(std::uint64_t flags) {
  TARVO_ASSERT(flags != 0);
  return static_cast<std::size_t>(std::countr_zero(flags)) / 8;
}

}  // namespace tarvo
