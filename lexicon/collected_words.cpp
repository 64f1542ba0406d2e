#include "lexicon/collected_words.h"

#include <algorithm>
#include <numeric>

namespace tarvo {

void CollectedWords::ReorderPart(unsigned first, const LargeVector<std::uint32_t>& order,
                                 const LargeVector<std::uint32_t>& starts) {
  const CodedWords& words = parts_[first];
  const LargeVector<std::uint32_t>& numbers = numbers_[first];
  CodedWords reordered;
  reordered.codes.reserve(words.codes.size());
  reordered.lengths.reserve(words.lengths.size());
  LargeVector<std::uint32_t> renumbered;
  renumbered.reserve(numbers.size());
  constexpr std::size_t kFetchAhead = 16;
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (i + kFetchAhead < order.size()) __builtin_prefetch(words.codes.data() + starts[order[i + kFetchAhead]]);
    reordered.Add(words.word(starts[order[i]], order[i]));
    renumbered.push_back(numbers[order[i]]);
  }
  parts_[first] = std::move(reordered);
  numbers_[first] = std::move(renumbered);
}

void CollectedWords::RestoreListOrder() {
  for (unsigned first = 0; first < kParts; ++first) {
    const LargeVector<std::uint32_t>& numbers = numbers_[first];
    if (std::is_sorted(numbers.begin(), numbers.end())) continue;
    LargeVector<std::uint32_t> order(numbers.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return numbers[a] < numbers[b]; });
    ReorderPart(first, order, parts_[first].Starts());
  }
}

}  // namespace tarvo
