#include "lexicon/alphabet_order.h"

namespace tarvo {

SymbolTable AlphabetOrder::OrderFromCounts(const std::array<std::uint64_t, 256>& occurrences) {
  // Counter c reads: 1 = does not occur, n >= 2 = occurs n - 1 times,
  // 0 = already dealt a code.
  std::array<std::uint64_t, 256> counters;
  for (unsigned c = 0; c < 256; ++c) counters[c] = occurrences[c] + 1;
  SymbolTable table{};
  unsigned next_code = 0;
  while (next_code < 256) {
    unsigned best = 0;
    for (unsigned c = 1; c < 256; ++c) {
      if (counters[c] > counters[best]) best = c;
    }
    std::uint64_t largest = counters[best];
    table[best] = static_cast<std::uint8_t>(next_code++);
    counters[best] = 0;
    if (largest == 1) break;
  }
  for (unsigned c = 1; c < 256 && next_code < 256; ++c) {
    if (counters[c] == 1) table[c] = static_cast<std::uint8_t>(next_code++);
  }
  return table;
}

}  // namespace tarvo
