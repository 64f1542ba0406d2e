#include "lexicon/prefix_buckets.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

namespace tarvo {
namespace {

// Digits of a word at a position: 0 for a word that ends before it, else
// 1 + the code there.
constexpr std::size_t kDigits = 257;

class BucketSplitter {
 public:
  BucketSplitter(const CodedWords& words, const LargeVector<std::uint32_t>& starts, std::size_t most_words,
                 PrefixBuckets& out)
      : words_(words),
        starts_(starts),
        most_words_(most_words),
        out_(out),
        scratch_(words.size()),
        digits_(words.size()) {}

  // Splits order[begin, end), whose words share their first `depth` codes.
  // A range at depth 0 is always split: its prefix, the empty one, is also
  // the prefix of words beyond `words`.
  void Split(std::uint32_t begin, std::uint32_t end, std::uint32_t depth) {
    std::uint32_t* order = out_.order.data();
    for (;; ++depth) {
      if (depth > 0 && (end - begin <= most_words_ || depth >= kMaxBucketDepth)) {
        out_.buckets.push_back({begin, end, depth});
        return;
      }
      std::array<std::uint32_t, kDigits>& counts = counts_[depth];
      counts.fill(0);
      for (std::uint32_t i = begin; i < end; ++i) ++counts[digits_[i] = Digit(order[i], depth)];
      if (counts[digits_[begin]] != end - begin) break;
      // One digit for all: nothing to split here.
      if (digits_[begin] == 0) {
        // All equal: a bucket, unless they are the empty word.
        if (depth == 0) out_.ends.push_back({begin, end, depth});
        else out_.buckets.push_back({begin, end, depth});
        return;
      }
    }
    // counts[d] becomes the end of digit d's part of the range; scattering
    // from the back keeps each part in ascending word number.
    std::array<std::uint32_t, kDigits>& counts = counts_[depth];
    std::partial_sum(counts.begin(), counts.end(), counts.begin());
    for (std::uint32_t i = end; i-- > begin;) scratch_[begin + --counts[digits_[i]]] = order[i];
    std::copy(scratch_.begin() + begin, scratch_.begin() + end, order + begin);
    // counts[d] is now the start of digit d's part.
    if (counts[1] > 0) out_.ends.push_back({begin, begin + counts[1], depth});
    for (std::size_t digit = 1; digit < kDigits; ++digit) {
      const std::uint32_t part_begin = begin + counts[digit];
      const std::uint32_t part_end = digit + 1 < kDigits ? begin + counts[digit + 1] : end;
      if (part_end > part_begin) Split(part_begin, part_end, depth + 1);
    }
  }

 private:
  std::uint16_t Digit(std::uint32_t word, std::size_t depth) const {
    const std::size_t position = starts_[word] + depth;
    if (position >= starts_[word + 1]) return 0;
    return static_cast<std::uint16_t>(1 + static_cast<unsigned char>(words_.codes[position]));
  }

  const CodedWords& words_;
  const LargeVector<std::uint32_t>& starts_;
  const std::size_t most_words_;
  PrefixBuckets& out_;
  LargeVector<std::uint32_t> scratch_;
  LargeVector<std::uint16_t> digits_;
  std::vector<std::array<std::uint32_t, kDigits>> counts_ =
      std::vector<std::array<std::uint32_t, kDigits>>(kMaxBucketDepth);  // one per depth
};

}  // namespace

PrefixBuckets SplitIntoBuckets(const CodedWords& words, const LargeVector<std::uint32_t>& starts,
                               std::size_t most_words) {
  PrefixBuckets buckets;
  buckets.order.resize(words.size());
  std::iota(buckets.order.begin(), buckets.order.end(), 0u);
  if (!words.empty()) {
    BucketSplitter(words, starts, most_words, buckets).Split(0, static_cast<std::uint32_t>(words.size()), 0);
  }
  return buckets;
}

}  // namespace tarvo
