// The alphabet order of a word list: symbol codes dealt out by frequency.
//
// The most frequent byte in the list's words gets symbol code 0, the next
// code 1, and so on; equal counts go to the lower byte value. Byte value 0
// takes the code after the last occurring byte, and the byte values that do
// not occur take the remaining codes in ascending order. The result is always
// a permutation.
//
//   SymbolTable order = IdentitySymbolTable();
//   CAlphabetOrder().Compute(path, order);  // 0 when filled, 1 when unreadable
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "lexicon/symbol_order.h"
#include "lexicon/word_reader.h"

namespace tarvo {

class CAlphabetOrder {
 public:
  // Fills char_to_code from the words of the file. Returns 0 on success and 1
  // when the file cannot be opened or read; the table is then left as it was.
  // stats, when given, receives what the pass over the file saw.
  int Compute(const std::string& path, SymbolTable& char_to_code,
              WordListStats* stats = nullptr) const;

  // Deals out the codes from occurrence counts (one per byte value).
  static SymbolTable OrderFromCounts(const std::array<std::uint64_t, 256>& occurrences);
};

}  // namespace tarvo
