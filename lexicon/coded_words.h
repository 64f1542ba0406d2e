// Words as symbol codes, stored back to back in the order they were added.
// A word's length takes one byte, so a word has at most kLongest codes;
// words are read in order, or out of order through Starts().
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "lexicon/assertions.h"
#include "lexicon/large_block_allocator.h"
#include "lexicon/page_prefault.h"

namespace tarvo {

// Numbers kept per word (its place in an order, its number in the list):
// arrays sized and then written in full, so not cleared first.
using WordNumbers = UninitializedLargeVector<std::uint32_t>;
// Per word, how many tree nodes it is the first to make (at most one per code).
using NodeCounts = LargeVector<std::uint8_t>;

struct CodedWords {
  static constexpr std::size_t kLongest = 255;

  // Grown by appending whole words, so never written twice; neither is
  // cleared when it grows, as every element is written once it is there.
  UninitializedLargeVector<char> codes;
  UninitializedLargeVector<std::uint8_t> lengths;

  std::size_t size() const { return lengths.size(); }
  bool empty() const { return lengths.empty(); }

  // Word k, which starts at offset `start` of the codes.
  std::string_view word(std::uint32_t start, std::uint32_t k) const {
    return std::string_view(codes.data() + start, lengths[k]);
  }
  void Add(std::string_view word) {
    TARVO_ASSERT(word.size() <= kLongest);
    // One copy: a range insert would copy byte by byte into this
    // allocator's memory.
    const std::size_t end = codes.size();
    codes.resize(end + word.size());
    if (!word.empty()) std::memcpy(codes.data() + end, word.data(), word.size());
    lengths.push_back(static_cast<std::uint8_t>(word.size()));
  }

  // Where each word starts, then the end of the codes.
  LargeVector<std::uint32_t> Starts() const {
    LargeVector<std::uint32_t> starts;
    ReservePrefaulted(starts, size() + 1);
    std::uint32_t start = 0;
    for (std::size_t k = 0; k < size(); ++k) {
      starts.push_back(start);
      start += lengths[k];
    }
    starts.push_back(start);
    return starts;
  }
};

}  // namespace tarvo
