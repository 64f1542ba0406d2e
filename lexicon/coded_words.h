// Words as symbol codes, stored back to back in the order they were added.
#pragma once

#include <cstdint>
#include <string_view>

#include "lexicon/large_block_allocator.h"

namespace tarvo {

struct CodedWords {
  LargeVector<char> codes;
  LargeVector<std::uint32_t> ends{0};  // word k is codes[ends[k], ends[k + 1])

  std::size_t size() const { return ends.size() - 1; }
  bool empty() const { return ends.size() == 1; }
  std::string_view word(std::uint32_t k) const {
    return std::string_view(codes.data() + ends[k], ends[k + 1] - ends[k]);
  }
  void Add(std::string_view word) {
    codes.insert(codes.end(), word.begin(), word.end());
    ends.push_back(static_cast<std::uint32_t>(codes.size()));
  }
};

}  // namespace tarvo
