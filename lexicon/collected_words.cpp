#include "lexicon/collected_words.h"

#include <algorithm>
#include <numeric>

#include "lexicon/page_prefault.h"

namespace tarvo {
namespace {

// The words of a part lie far apart in the order they are copied in: each
// loop fetches the values this many words ahead towards the cache.
constexpr std::size_t kFetchAhead = 16;

}  // namespace

void CollectedWords::ReorderPart(unsigned first, LargeVector<std::uint32_t> order,
                                 const LargeVector<std::uint32_t>& starts) {
  // The words, then their numbers, each array freed once copied, so that a
  // part never takes twice its memory. A word's start and end lie side by
  // side in `starts`, which is fetched a step before the codes it locates.
  // The numbers take the place of the order, which is read for the last
  // time as they are written, instead of memory of their own.
  CodedWords& words = parts_[first];
  CodedWords sorted;
  ReservePrefaulted(sorted.codes, words.codes.size());
  ReservePrefaulted(sorted.lengths, words.size());
  const char* codes = words.codes.data();
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (i + 2 * kFetchAhead < order.size()) __builtin_prefetch(&starts[order[i + 2 * kFetchAhead]]);
    if (i + kFetchAhead < order.size()) __builtin_prefetch(codes + starts[order[i + kFetchAhead]]);
    const std::uint32_t k = order[i];
    sorted.Add(std::string_view(codes + starts[k], starts[k + 1] - starts[k]));
  }
  words = std::move(sorted);
  const LargeVector<std::uint32_t>& numbers = numbers_[first];
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (i + kFetchAhead < order.size()) __builtin_prefetch(&numbers[order[i + kFetchAhead]]);
    order[i] = numbers[order[i]];
  }
  numbers_[first] = std::move(order);
}

void CollectedWords::RestoreListOrder() {
  first_codes_.resize(size_);
  for (unsigned first = 0; first < kParts; ++first) {
    const LargeVector<std::uint32_t>& numbers = numbers_[first];
    for (const std::uint32_t number : numbers) first_codes_[number] = static_cast<std::uint8_t>(first);
    if (std::is_sorted(numbers.begin(), numbers.end())) continue;
    LargeVector<std::uint32_t> order(numbers.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return numbers[a] < numbers[b]; });
    ReorderPart(first, std::move(order), parts_[first].Starts());
  }
}

}  // namespace tarvo
