#include "lexicon/collected_words.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "lexicon/page_prefault.h"
#include "lexicon/word_copy.h"

namespace tarvo {
namespace {

// The words of a part lie far apart in the order they are copied in: each
// loop fetches the values this many words ahead towards the cache.
constexpr std::size_t kFetchAhead = 16;

}  // namespace

bool CollectedWords::AddWords(std::string_view codes, std::span<const std::uint8_t> lengths) {
  // First how many words and codes go to each part, to grow each part once.
  std::array<std::uint32_t, kParts> words{};
  std::array<std::uint64_t, kParts> bytes{};
  std::size_t start = 0;
  for (const std::uint8_t length : lengths) {
    const unsigned first = PartOf(codes.substr(start, length));
    ++words[first];
    bytes[first] += length;
    start += length;
  }
  if (size_ + lengths.size() > kMostWords) return false;
  for (unsigned first = 0; first < kParts; ++first) {
    if (parts_[first].codes.size() + bytes[first] > kMostPartBytes) return false;
  }
  // Then each word to the ends of its part's arrays.
  struct Cursor {
    char* codes;
    const char* codes_end;  // of the part's room for this block's words
    std::uint8_t* lengths;
    std::uint32_t* numbers;
  };
  std::array<Cursor, kParts> next;
  for (unsigned first = 0; first < kParts; ++first) {
    if (words[first] == 0) continue;
    CodedWords& part = parts_[first];
    const std::size_t old_bytes = part.codes.size();
    const std::size_t old_words = part.size();
    PartPrefault& ahead = ahead_[first];
    GrowBy(part.codes, bytes[first], ahead.codes);
    GrowBy(part.lengths, words[first], ahead.lengths);
    GrowBy(numbers_[first], words[first], ahead.numbers);
    next[first] = {part.codes.data() + old_bytes, part.codes.data() + part.codes.size(), part.lengths.data() + old_words,
                   numbers_[first].data() + old_words};
  }
  const std::size_t old_size = first_codes_.size();
  GrowBy(first_codes_, lengths.size(), first_codes_ahead_);
  std::uint8_t* first_code = first_codes_.data() + old_size;
  start = 0;
  for (const std::uint8_t length : lengths) {
    const unsigned first = PartOf(codes.substr(start, length));
    Cursor& to = next[first];
    CopyWord(to.codes, to.codes_end, codes.data() + start, codes.data() + codes.size(), length);
    to.codes += length;
    *to.lengths++ = length;
    *to.numbers++ = static_cast<std::uint32_t>(size_++);
    *first_code++ = static_cast<std::uint8_t>(first);
    start += length;
  }
  return true;
}

void CollectedWords::ReorderPart(unsigned first, WordNumbers order, const LargeVector<std::uint32_t>& starts) {
  // The words, then their numbers, each array freed once copied, so that a
  // part never takes twice its memory. A word's start and end lie side by
  // side in `starts`, which is fetched a step before the codes it locates.
  // The numbers take the place of the order, which is read for the last
  // time as they are written, instead of memory of their own.
  CodedWords& words = parts_[first];
  CodedWords sorted;
  ResizePrefaulted(sorted.codes, words.codes.size());
  ResizePrefaulted(sorted.lengths, words.size());
  const char* codes = words.codes.data();
  const char* codes_end = codes + words.codes.size();
  char* to = sorted.codes.data();
  const char* to_end = to + sorted.codes.size();
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (i + 2 * kFetchAhead < order.size()) __builtin_prefetch(&starts[order[i + 2 * kFetchAhead]]);
    if (i + kFetchAhead < order.size()) __builtin_prefetch(codes + starts[order[i + kFetchAhead]]);
    const std::uint32_t k = order[i];
    const std::uint32_t length = starts[k + 1] - starts[k];
    CopyWord(to, to_end, codes + starts[k], codes_end, length);
    to += length;
    sorted.lengths[i] = static_cast<std::uint8_t>(length);
  }
  FreeGivingBack(words.codes);
  FreeGivingBack(words.lengths);
  words = std::move(sorted);
  WordNumbers& numbers = numbers_[first];
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (i + kFetchAhead < order.size()) __builtin_prefetch(&numbers[order[i + kFetchAhead]]);
    order[i] = numbers[order[i]];
  }
  FreeGivingBack(numbers);
  numbers = std::move(order);
}

void CollectedWords::RestoreListOrder() {
  first_codes_.resize(size_);
  for (unsigned first = 0; first < kParts; ++first) {
    const WordNumbers& numbers = numbers_[first];
    for (const std::uint32_t number : numbers) first_codes_[number] = static_cast<std::uint8_t>(first);
    if (std::is_sorted(numbers.begin(), numbers.end())) continue;
    WordNumbers order(numbers.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return numbers[a] < numbers[b]; });
    ReorderPart(first, std::move(order), parts_[first].Starts());
  }
}

}  // namespace tarvo
