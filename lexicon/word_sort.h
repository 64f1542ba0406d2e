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
  // Digits of a word at a position: 0 for a word that ends before it, else
  // 1 + the code there.
  static constexpr std::size_t kDigits = 257;

  // The trie that sorted words make on their own, learnt while sorting
  // them. Its nodes are the words' prefixes but the empty one (the root);
  // a node's children are the codes that follow its prefix in the words.
  struct TrieShape {
    // For each word number: how many nodes it is the lowest-numbered word
    // to hold the prefix of.
    NodeCounts made;
    // rows[n]: how many nodes have n - 1 children.
    std::array<std::uint64_t, kDigits + 1> rows{};
  };

  // Afterwards order() holds the word numbers 0 to words.size() - 1 in
  // ascending order of the words, equal words in ascending number, and
  // starts() is words.Starts(). Every word has at least `shared` codes, the
  // same in all of them (as in a part of CollectedWords, all of one first
  // code), which the sort then does not read. Given a shape, the sort also
  // fills it in, at little cost: the nodes are the ranges it splits.
  void Sort(const CodedWords& words, std::uint32_t shared = 0, TrieShape* shape = nullptr);

  const WordNumbers& order() const { return order_; }
  // Gives order() away, leaving it empty.
  WordNumbers TakeOrder() { return std::move(order_); }
  const LargeVector<std::uint32_t>& starts() const { return starts_; }
  // Gives starts() away, leaving it empty.
  LargeVector<std::uint32_t> TakeStarts() { return std::move(starts_); }

 private:
  using DigitCounts = std::array<std::uint32_t, kDigits>;

  // Sorts order_[begin, end), whose words share their first `depth` codes.
  void SortRange(std::uint32_t begin, std::uint32_t end, std::uint32_t depth);
  // Sets digits_[begin, end) and adds them to counts; returns the highest.
  unsigned CountDigits(std::uint32_t begin, std::uint32_t end, std::uint32_t depth, DigitCounts& counts);
  void SortByComparing(std::uint32_t begin, std::uint32_t end, std::uint32_t depth);
  // A word of a range sorted by comparing, with its next eight codes.
  struct Keyed;
  // Counts the nodes of n words sorted by comparing, which share `depth`
  // codes: the node of those codes, unless it is the root, and all below.
  void AddComparedNodes(const Keyed* sorted, std::uint32_t n, std::uint32_t depth);
  // How many codes after the first `depth` two words share.
  std::uint32_t SharedAfter(const Keyed& a, const Keyed& b, std::uint32_t depth) const;

  // Counts, into shape_, a node held first by word `owner`.
  void AddNode(std::uint32_t owner, unsigned children) {
    ++shape_->made[owner];
    ++shape_->rows[children + 1];
  }
  // Counts a chain of nodes that word alone holds, each the parent of the next.
  void AddChain(std::uint32_t word, std::uint32_t nodes) {
    shape_->made[word] = static_cast<std::uint8_t>(shape_->made[word] + nodes);
    ++shape_->rows[1];             // the word's last node
    shape_->rows[2] += nodes - 1;  // the ones before it, one child each
  }

  const CodedWords* words_ = nullptr;
  TrieShape* shape_ = nullptr;
  WordNumbers order_;
  LargeVector<std::uint32_t> starts_;
  UninitializedLargeVector<std::uint32_t> scratch_;
  UninitializedLargeVector<std::uint16_t> digits_;
  // One per depth: a range's counts outlive the sorting of its parts. All
  // zero between ranges.
  std::vector<DigitCounts> counts_ = std::vector<DigitCounts>(CodedWords::kLongest + 1);
};

}  // namespace tarvo
