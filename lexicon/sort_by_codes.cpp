#include "lexicon/sort_by_codes.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

namespace tarvo {
namespace {

// Ranges this small, or sharing this many codes, are sorted by comparing
// whole words: a radix step would cost more than it saves there.
constexpr std::size_t kSmallRange = 32;
constexpr std::size_t kMaxRadixDepth = 48;

// Radix digits: 0 for a word that ends before the position, so that it
// comes before its extensions, else 1 + the code there.
constexpr std::size_t kDigits = 257;

class CodeSorter {
 public:
  explicit CodeSorter(const CodedWords& words, std::uint32_t* order)
      : words_(words), order_(order), scratch_(words.size()), digits_(words.size()), counts_(kMaxRadixDepth) {}

  // Sorts order_[begin, end), whose words share their first `depth` codes.
  void Sort(std::size_t begin, std::size_t end, std::size_t depth) {
    while (end - begin >= kSmallRange && depth < kMaxRadixDepth) {
      std::array<std::uint32_t, kDigits>& counts = counts_[depth];
      counts.fill(0);
      for (std::size_t i = begin; i < end; ++i) ++counts[digits_[i] = Digit(order_[i], depth)];
      if (counts[digits_[begin]] == end - begin) {
        // One digit for all: nothing to move; words that all end here are equal.
        if (digits_[begin] == 0) return;
        ++depth;
        continue;
      }
      // counts[d] becomes the end of digit d's part of the range.
      std::partial_sum(counts.begin(), counts.end(), counts.begin());
      for (std::size_t i = end; i-- > begin;) scratch_[begin + --counts[digits_[i]]] = order_[i];
      std::copy(scratch_.begin() + static_cast<std::ptrdiff_t>(begin),
                scratch_.begin() + static_cast<std::ptrdiff_t>(end), order_ + begin);
      // counts[d] is now the start of digit d's part; digit 0 holds equal words.
      for (std::size_t digit = 1; digit < kDigits; ++digit) {
        const std::size_t part_begin = begin + counts[digit];
        const std::size_t part_end = digit + 1 < kDigits ? begin + counts[digit + 1] : end;
        if (part_end - part_begin > 1) Sort(part_begin, part_end, depth + 1);
      }
      return;
    }
    std::sort(order_ + begin, order_ + end, [this, depth](std::uint32_t a, std::uint32_t b) {
      return words_.word(a).substr(depth) < words_.word(b).substr(depth);
    });
  }

 private:
  std::uint16_t Digit(std::uint32_t word, std::size_t depth) const {
    const std::size_t position = words_.ends[word] + depth;
    if (position >= words_.ends[word + 1]) return 0;
    return static_cast<std::uint16_t>(1 + static_cast<unsigned char>(words_.codes[position]));
  }

  const CodedWords& words_;
  std::uint32_t* order_;
  LargeVector<std::uint32_t> scratch_;
  LargeVector<std::uint16_t> digits_;
  std::vector<std::array<std::uint32_t, kDigits>> counts_;  // one per depth
};

}  // namespace

LargeVector<std::uint32_t> SortByCodes(const CodedWords& words) {
  LargeVector<std::uint32_t> order(words.size());
  std::iota(order.begin(), order.end(), 0u);
  CodeSorter(words, order.data()).Sort(0, order.size(), 0);
  return order;
}

}  // namespace tarvo
