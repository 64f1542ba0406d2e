#include "lexicon/word_sort.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <string_view>

#include "lexicon/eight_bytes.h"
#include "lexicon/page_prefault.h"

namespace tarvo {
namespace {

// Ranges this small are sorted by comparing words: clearing and summing the
// digit counts would cost more.
constexpr std::uint32_t kComparedRange = 24;
// In a large range the words lie far apart: the digit loop fetches a word's
// start this many words ahead towards the cache, and its code half as many.
// A smaller range's words were just read for the range around it, and are
// still in the cache.
constexpr std::uint32_t kFetchAhead = 16;
constexpr std::uint32_t kFetchedRange = 1024;

// Whether every word has at least `shared` codes, the same in all.
[[maybe_unused]] bool ShareFirstCodes(const CodedWords& words, const LargeVector<std::uint32_t>& starts,
                                      std::uint32_t shared) {
  const std::string_view first(words.codes.data(), shared);
  for (std::size_t k = 0; k < words.size(); ++k) {
    if (words.lengths[k] < shared || std::string_view(words.codes.data() + starts[k], shared) != first) return false;
  }
  return true;
}

}  // namespace

void WordSorter::Sort(const CodedWords& words, std::uint32_t shared) {
  words_ = &words;
  starts_ = words.Starts();
  TARVO_ASSERT(ShareFirstCodes(words, starts_, shared));
  ResizePrefaulted(order_, words.size());
  std::iota(order_.begin(), order_.end(), 0u);
  ResizePrefaulted(scratch_, words.size());
  ResizePrefaulted(digits_, words.size());
  if (words.size() > 1) SortRange(0, static_cast<std::uint32_t>(words.size()), shared);
  // Only the order and the starts are read after the sort: the rest goes
  // before the caller puts the words in order, which takes memory again.
  scratch_ = UninitializedLargeVector<std::uint32_t>();
  digits_ = UninitializedLargeVector<std::uint16_t>();
}

unsigned WordSorter::CountDigits(std::uint32_t begin, std::uint32_t end, std::uint32_t depth, DigitCounts& counts) {
  const std::uint32_t* order = order_.data();
  const std::uint32_t* starts = starts_.data();
  const char* codes = words_->codes.data();
  std::uint16_t* digits = digits_.data();
  unsigned highest = 0;
  const auto count = [&](std::uint32_t i) __attribute__((always_inline)) {
    const std::uint32_t word = order[i];
    const std::uint32_t position = starts[word] + depth;
    const unsigned digit = position < starts[word + 1] ? 1 + static_cast<unsigned char>(codes[position]) : 0;
    digits[i] = static_cast<std::uint16_t>(digit);
    ++counts[digit];
    highest = std::max(highest, digit);
  };
  std::uint32_t i = begin;
  if (end - begin >= kFetchedRange) {
    for (; i + kFetchAhead < end; ++i) {
      __builtin_prefetch(&starts[order[i + kFetchAhead]]);
      __builtin_prefetch(codes + starts[order[i + kFetchAhead / 2]] + depth);
      count(i);
    }
  }
  for (; i < end; ++i) count(i);
  return highest;
}

void WordSorter::SortRange(std::uint32_t begin, std::uint32_t end, std::uint32_t depth) {
  unsigned highest;
  for (;; ++depth) {
    if (end - begin <= kComparedRange) {
      SortByComparing(begin, end, depth);
      return;
    }
    highest = CountDigits(begin, end, depth, counts_[depth]);
    const unsigned digit = digits_[begin];
    if (counts_[depth][digit] != end - begin) break;
    counts_[depth][digit] = 0;
    // One digit for all: all equal when it is the end of the words.
    if (digit == 0) return;
  }
  // counts[d] becomes the end of digit d's part of the range; scattering
  // from the back keeps each part in ascending word number. The codes of a
  // list are dealt out from 0 up, so the digits above the highest one seen,
  // which are most of them, are left out.
  DigitCounts& counts = counts_[depth];
  std::partial_sum(counts.begin(), counts.begin() + highest + 1, counts.begin());
  std::uint32_t* order = order_.data();
  std::uint32_t* scratch = scratch_.data() + begin;
  const std::uint16_t* digits = digits_.data();
  for (std::uint32_t i = end; i-- > begin;) scratch[--counts[digits[i]]] = order[i];
  std::copy(scratch, scratch + (end - begin), order + begin);
  // counts[d] is now the start of digit d's part; digit 0's words are equal.
  for (unsigned digit = 1; digit <= highest; ++digit) {
    const std::uint32_t part_begin = begin + counts[digit];
    const std::uint32_t part_end = digit < highest ? begin + counts[digit + 1] : end;
    if (part_end - part_begin > 1) SortRange(part_begin, part_end, depth + 1);
  }
  std::fill(counts.begin(), counts.begin() + highest + 1, 0);
}

// An insertion sort: stable, and quick on a few words. Each word's next
// eight codes are compared as one number first; only words equal in
// those and longer go on to compare the rest.
void WordSorter::SortByComparing(std::uint32_t begin, std::uint32_t end, std::uint32_t depth) {
  struct Keyed {
    std::uint64_t key;   // the eight codes from depth on, big-endian, 0 past the end
    std::uint32_t rest;  // how many codes the word has from depth on
    std::uint32_t word;
  };
  std::array<Keyed, kComparedRange> keyed;
  const char* codes = words_->codes.data();
  const char* codes_end = codes + words_->codes.size();
  for (std::uint32_t i = begin; i < end; ++i) {
    const std::uint32_t word = order_[i];
    const std::uint32_t rest = starts_[word + 1] - starts_[word] - depth;
    const char* from = codes + starts_[word] + depth;
    std::uint64_t key = 0;
    if (from + 8 <= codes_end) {
      // Eight codes read at once, though they may reach into the next
      // word: the codes past this word's end are cleared.
      key = __builtin_bswap64(ReadEightBytes(from));
      if (rest < 8) key &= ~(~std::uint64_t{0} >> (8 * rest));
    } else {
      for (std::uint32_t k = 0; k < 8; ++k) key = key << 8 | (k < rest ? static_cast<unsigned char>(from[k]) : 0u);
    }
    keyed[i - begin] = {key, rest, word};
  }
  const auto less = [&](const Keyed& a, const Keyed& b) {
    if (a.key != b.key) return a.key < b.key;
    // Equal so far: a word that ends within the eight is a prefix of the other.
    if (a.rest <= 8 || b.rest <= 8) return a.rest < b.rest;
    const std::string_view a_rest(codes + starts_[a.word] + depth + 8, a.rest - 8);
    const std::string_view b_rest(codes + starts_[b.word] + depth + 8, b.rest - 8);
    return a_rest < b_rest;
  };
  const std::uint32_t n = end - begin;
  for (std::uint32_t i = 1; i < n; ++i) {
    const Keyed moving = keyed[i];
    std::uint32_t j = i;
    for (; j > 0 && less(moving, keyed[j - 1]); --j) keyed[j] = keyed[j - 1];
    keyed[j] = moving;
  }
  for (std::uint32_t i = 0; i < n; ++i) order_[begin + i] = keyed[i].word;
}

}  // namespace tarvo
