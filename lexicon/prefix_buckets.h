// Splitting words into buckets by their leading codes, so that the words of
// one bucket can be inserted within the processor's caches.
#pragma once

#include <cstdint>
#include <vector>

#include "lexicon/coded_words.h"

namespace tarvo {

// A range of PrefixBuckets::order whose words share their first `depth` codes.
struct WordRange {
  std::uint32_t begin;
  std::uint32_t end;
  std::uint32_t depth;
};

struct PrefixBuckets {
  // The word numbers 0 to words.size() - 1, grouped into the ranges below,
  // ascending within each range.
  LargeVector<std::uint32_t> order;
  // Each bucket holds every word of `words` that starts with the bucket's
  // prefix (the first `depth` codes of its words); depth is at least 1.
  std::vector<WordRange> buckets;
  // Words that end where buckets part: each range holds the words equal to
  // its prefix, which is a proper prefix of some bucket's prefix.
  std::vector<WordRange> ends;
};

// Splits words into buckets of at most `most_words` words, one leading code
// at a time; starts is words.Starts(). A bucket may hold more when all its
// words are equal or share more than kMaxBucketDepth codes.
PrefixBuckets SplitIntoBuckets(const CodedWords& words, const LargeVector<std::uint32_t>& starts,
                               std::size_t most_words);
inline constexpr std::uint32_t kMaxBucketDepth = 64;

}  // namespace tarvo
