// Sorting a list of coded words into ascending code order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "lexicon/large_block_allocator.h"

namespace tarvo {

// Words given in list order, their codes back to back.
struct CodedWords {
  std::string codes;
  LargeVector<std::uint32_t> ends{0};  // word k is codes[ends[k], ends[k + 1])

  std::size_t size() const { return ends.size() - 1; }
  bool empty() const { return ends.size() == 1; }
  std::string_view word(std::uint32_t k) const {
    return std::string_view(codes).substr(ends[k], ends[k + 1] - ends[k]);
  }
  void Add(std::string_view word) {
    codes.append(word);
    ends.push_back(static_cast<std::uint32_t>(codes.size()));
  }
  void Clear() {
    codes.clear();
    ends.assign(1, 0);
  }
};

// The word numbers 0 to words.size() - 1 ordered by their codes, compared as
// unsigned bytes (a word before its extensions); equal words in any order.
// Sorts by the leading codes as radix digits, each step over words that
// share the codes before, so that the words' bytes are read in a few passes
// instead of once per comparison.
LargeVector<std::uint32_t> SortByCodes(const CodedWords& words);

}  // namespace tarvo
