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

void CollectedWords::ReorderPart(unsigned first, WordNumbers order, LargeVector<std::uint32_t> starts) {
  // Each array is freed as soon as it is read for the last time, and the
  // codes, the largest, are copied last, so that a part never takes twice
  // its memory: first the numbers, then each word's length and where its
  // codes start, which takes the order's place. A word's start and end lie
  // side by side in `starts`.
  CodedWords& words = parts_[first];
  WordNumbers& numbers = numbers_[first];
  WordNumbers sorted_numbers;
  ResizePrefaulted(sorted_numbers, order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (i + kFetchAhead < order.size()) __builtin_prefetch(&numbers[order[i + kFetchAhead]]);
    sorted_numbers[i] = numbers[order[i]];
  }
  FreeGivingBack(numbers);
  numbers = std::move(sorted_numbers);
  CodedWords sorted;
  ResizePrefaulted(sorted.lengths, words.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (i + kFetchAhead < order.size()) __builtin_prefetch(&starts[order[i + kFetchAhead]]);
    const std::uint32_t k = order[i];
    sorted.lengths[i] = static_cast<std::uint8_t>(starts[k + 1] - starts[k]);
    order[i] = starts[k];
  }
  FreeGivingBack(starts);
  FreeGivingBack(words.lengths);
  ResizePrefaulted(sorted.codes, words.codes.size());
  const char* codes = words.codes.data();
  const char* codes_end = codes + words.codes.size();
  char* to = sorted.codes.data();
  const char* to_end = to + sorted.codes.size();
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (i + kFetchAhead < order.size()) __builtin_prefetch(codes + order[i + kFetchAhead]);
    CopyWord(to, to_end, codes + order[i], codes_end, sorted.lengths[i]);
    to += sorted.lengths[i];
  }
  FreeGivingBack(words.codes);
  words = std::move(sorted);
}

void CollectedWords::ReleaseRoom() {
  for (unsigned first = 0; first < kParts; ++first) {
    tarvo::ReleaseRoom(parts_[first].codes);
    tarvo::ReleaseRoom(parts_[first].lengths);
    tarvo::ReleaseRoom(numbers_[first]);
  }
  tarvo::ReleaseRoom(first_codes_);
  // Words added from now on find their room out of memory again.
  ahead_ = {};
  first_codes_ahead_ = {};
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
