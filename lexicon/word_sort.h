// Sorting coded words by their codes, so that words sharing a prefix come
// together and can be walked as the nodes of a trie.
#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "lexicon/coded_words.h"

namespace tarvo {

// Sorts the words of a CodedWords by their codes (compared as unsigned
// bytes, a word before its extensions), most significant code first.
//
//   WordSorter sorter;
//   sorter.Sort(words);
//   for (std::uint32_t k : sorter.order()) ... words.word(sorter.starts()[k], k) ...
class WordSorter {
 public:
  // Afterwards order() holds the word numbers 0 to words.size() - 1 in
  // ascending order of the words, equal words in ascending number, and
  // starts() is words.Starts(). Every word has at least `shared` codes, the
  // same in all of them (as in a part of CollectedWords, all of one first
  // code), which the sort then does not read.
  void Sort(const CodedWords& words, std::uint32_t shared = 0);

  const LargeVector<std::uint32_t>& order() const { return order_; }
  // Gives order() away, leaving it empty.
  LargeVector<std::uint32_t> TakeOrder() { return std::move(order_); }
  const LargeVector<std::uint32_t>& starts() const { return starts_; }

 private:
  // Digits of a word at a position: 0 for a word that ends before it, else
  // 1 + the code there.
  static constexpr std::size_t kDigits = 257;
  using DigitCounts = std::array<std::uint32_t, kDigits>;

  // Sorts order_[begin, end), whose words share their first `depth` codes.
  void SortRange(std::uint32_t begin, std::uint32_t end, std::uint32_t depth);
  // Sets digits_[begin, end) and adds them to counts; returns the highest.
  unsigned CountDigits(std::uint32_t begin, std::uint32_t end, std::uint32_t depth, DigitCounts& counts);
  void SortByComparing(std::uint32_t begin, std::uint32_t end, std::uint32_t depth);

  const CodedWords* words_ = nullptr;
  LargeVector<std::uint32_t> order_;
  LargeVector<std::uint32_t> starts_;
  UninitializedLargeVector<std::uint32_t> scratch_;
  UninitializedLargeVector<std::uint16_t> digits_;
  // One per depth: a range's counts outlive the sorting of its parts. All
  // zero between ranges.
  std::vector<DigitCounts> counts_ = std::vector<DigitCounts>(CodedWords::kLongest + 1);
};

}  // namespace tarvo
