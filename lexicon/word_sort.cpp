#include "lexicon/word_sort.h"

#include <algorithm>
#include <numeric>
#include <string_view>

namespace tarvo {
namespace {

// Ranges this small are sorted by comparing words: clearing and summing the
// digit counts would cost more.
constexpr std::uint32_t kComparedRange = 24;
// In a large range the words lie far apart: the digit loop fetches a word's
// start this many words ahead towards the cache, and its code half as many.
constexpr std::uint32_t kFetchAhead = 16;

}  // namespace

void WordSorter::Sort(const CodedWords& words) {
  words_ = &words;
  starts_ = words.Starts();
  order_.resize(words.size());
  std::iota(order_.begin(), order_.end(), 0u);
  scratch_.resize(words.size());
  digits_.resize(words.size());
  if (words.size() > 1) SortRange(0, static_cast<std::uint32_t>(words.size()), 0);
}

bool WordSorter::CountDigits(std::uint32_t begin, std::uint32_t end, std::uint32_t depth, DigitCounts& counts) {
  const std::uint32_t* order = order_.data();
  const std::uint32_t* starts = starts_.data();
  const char* codes = words_->codes.data();
  counts.fill(0);
  for (std::uint32_t i = begin; i < end; ++i) {
    if (i + kFetchAhead < end) {
      __builtin_prefetch(&starts[order[i + kFetchAhead]]);
      __builtin_prefetch(codes + starts[order[i + kFetchAhead / 2]] + depth);
    }
    const std::uint32_t word = order[i];
    const std::uint32_t position = starts[word] + depth;
    const auto digit = static_cast<std::uint16_t>(
        position < starts[word + 1] ? 1 + static_cast<unsigned char>(codes[position]) : 0);
    digits_[i] = digit;
    ++counts[digit];
  }
  return counts[digits_[begin]] == end - begin;
}

void WordSorter::SortRange(std::uint32_t begin, std::uint32_t end, std::uint32_t depth) {
  for (;; ++depth) {
    if (end - begin <= kComparedRange) {
      SortByComparing(begin, end, depth);
      return;
    }
    if (!CountDigits(begin, end, depth, counts_[depth])) break;
    // One digit for all: all equal when it is the end of the words.
    if (digits_[begin] == 0) return;
  }
  // counts[d] becomes the end of digit d's part of the range; scattering
  // from the back keeps each part in ascending word number.
  DigitCounts& counts = counts_[depth];
  std::partial_sum(counts.begin(), counts.end(), counts.begin());
  std::uint32_t* order = order_.data();
  for (std::uint32_t i = end; i-- > begin;) scratch_[begin + --counts[digits_[i]]] = order[i];
  std::copy(scratch_.begin() + begin, scratch_.begin() + end, order + begin);
  // counts[d] is now the start of digit d's part; digit 0's words are equal.
  for (std::size_t digit = 1; digit < kDigits; ++digit) {
    const std::uint32_t part_begin = begin + counts[digit];
    const std::uint32_t part_end = digit + 1 < kDigits ? begin + counts[digit + 1] : end;
    if (part_end - part_begin > 1) SortRange(part_begin, part_end, depth + 1);
  }
}

// An insertion sort: stable, and quick on a few words.
void WordSorter::SortByComparing(std::uint32_t begin, std::uint32_t end, std::uint32_t depth) {
  std::uint32_t* order = order_.data();
  const auto suffix = [&](std::uint32_t word) {
    return std::string_view(words_->codes.data() + starts_[word] + depth, starts_[word + 1] - starts_[word] - depth);
  };
  for (std::uint32_t i = begin + 1; i < end; ++i) {
    const std::uint32_t word = order[i];
    const std::string_view codes = suffix(word);
    std::uint32_t j = i;
    for (; j > begin && codes < suffix(order[j - 1]); --j) order[j] = order[j - 1];
    order[j] = word;
  }
}

}  // namespace tarvo
