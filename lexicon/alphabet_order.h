// The alphabet order of a word list: symbol codes dealt out by frequency.
//
// The most frequent byte in the list's words gets symbol code 0, the next
// code 1, and so on; equal counts go to the lower byte value. Byte value 0
// takes the code after the last occurring byte, and the byte values that do
// not occur take the remaining codes in ascending order. The result is always
// a permutation.
//
//   std::array<std::uint64_t, 256> occurrences{};  // counted over the words
//   SymbolTable order = AlphabetOrder::OrderFromCounts(occurrences);
#pragma once

#include <array>
#include <cstdint>

#include "lexicon/symbol_order.h"

namespace tarvo {

class AlphabetOrder {
 public:
  // Deals out the codes from occurrence counts (one per byte value).
  static SymbolTable OrderFromCounts(const std::array<std::uint64_t, 256>& occurrences);
};

}  // namespace tarvo
