#include "lexicon/word_sort.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <string_view>
#include <vector>

namespace tarvo {
namespace {

// Digits of a word at a position: 0 for a word that ends before it, else
// 1 + the code there.
constexpr std::size_t kDigits = 257;
// Ranges this small are sorted by comparing words: clearing and summing the
// digit counts would cost more.
constexpr std::uint32_t kComparedRange = 24;

// A most significant digit first radix sort, one code at a time.
class WordSorter {
 public:
  WordSorter(const CodedWords& words, const LargeVector<std::uint32_t>& starts, LargeVector<std::uint32_t>& order)
      : words_(words), starts_(starts), order_(order), scratch_(words.size()), digits_(words.size()) {}

  // Sorts order[begin, end), whose words share their first `depth` codes.
  void Sort(std::uint32_t begin, std::uint32_t end, std::uint32_t depth) {
    std::uint32_t* order = order_.data();
    for (;; ++depth) {
      if (end - begin <= kComparedRange) {
        SortByComparing(begin, end, depth);
        return;
      }
      std::array<std::uint32_t, kDigits>& counts = counts_[depth];
      counts.fill(0);
      for (std::uint32_t i = begin; i < end; ++i) ++counts[digits_[i] = Digit(order[i], depth)];
      if (counts[digits_[begin]] != end - begin) break;
      // One digit for all: all equal when it is the end of the words.
      if (digits_[begin] == 0) return;
    }
    // counts[d] becomes the end of digit d's part of the range; scattering
    // from the back keeps each part in ascending word number.
    std::array<std::uint32_t, kDigits>& counts = counts_[depth];
    std::partial_sum(counts.begin(), counts.end(), counts.begin());
    for (std::uint32_t i = end; i-- > begin;) scratch_[begin + --counts[digits_[i]]] = order[i];
    std::copy(scratch_.begin() + begin, scratch_.begin() + end, order + begin);
    // counts[d] is now the start of digit d's part; digit 0's words are equal.
    for (std::size_t digit = 1; digit < kDigits; ++digit) {
      const std::uint32_t part_begin = begin + counts[digit];
      const std::uint32_t part_end = digit + 1 < kDigits ? begin + counts[digit + 1] : end;
      if (part_end - part_begin > 1) Sort(part_begin, part_end, depth + 1);
    }
  }

 private:
  std::string_view Word(std::uint32_t word) const {
    return std::string_view(words_.codes.data() + starts_[word], starts_[word + 1] - starts_[word]);
  }
  std::uint16_t Digit(std::uint32_t word, std::size_t depth) const {
    const std::size_t position = starts_[word] + depth;
    if (position >= starts_[word + 1]) return 0;
    return static_cast<std::uint16_t>(1 + static_cast<unsigned char>(words_.codes[position]));
  }
  // An insertion sort: stable, and quick on a few words.
  void SortByComparing(std::uint32_t begin, std::uint32_t end, std::uint32_t depth) {
    std::uint32_t* order = order_.data();
    for (std::uint32_t i = begin + 1; i < end; ++i) {
      const std::uint32_t word = order[i];
      const std::string_view codes = Word(word).substr(depth);
      std::uint32_t j = i;
      for (; j > begin && codes < Word(order[j - 1]).substr(depth); --j) order[j] = order[j - 1];
      order[j] = word;
    }
  }

  const CodedWords& words_;
  const LargeVector<std::uint32_t>& starts_;
  LargeVector<std::uint32_t>& order_;
  LargeVector<std::uint32_t> scratch_;
  LargeVector<std::uint16_t> digits_;
  // One per depth: a range's counts outlive the sorting of its parts.
  std::vector<std::array<std::uint32_t, kDigits>> counts_ =
      std::vector<std::array<std::uint32_t, kDigits>>(CodedWords::kLongest + 1);
};

}  // namespace

LargeVector<std::uint32_t> SortedOrder(const CodedWords& words, const LargeVector<std::uint32_t>& starts) {
  LargeVector<std::uint32_t> order(words.size());
  std::iota(order.begin(), order.end(), 0u);
  if (words.size() > 1) WordSorter(words, starts, order).Sort(0, static_cast<std::uint32_t>(words.size()), 0);
  return order;
}

}  // namespace tarvo
