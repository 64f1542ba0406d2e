#include "lexicon/word_sort.h"

#include <algorithm>
#include <array>
#include <bit>
#include <numeric>
#include <string_view>

#include "lexicon/eight_bytes.h"
#include "lexicon/page_prefault.h"
#include "lexicon/shared_prefix.h"

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

struct WordSorter::Keyed {
  std::uint64_t key;   // the eight codes from the range's depth on, big-endian, 0 past the end
  std::uint32_t rest;  // how many codes the word has from that depth on
  std::uint32_t word;
};

void WordSorter::Sort(const CodedWords& words, std::uint32_t shared, TrieShape* shape) {
  words_ = &words;
  shape_ = shape;
  starts_ = words.Starts();
  TARVO_ASSERT(ShareFirstCodes(words, starts_, shared));
  ResizePrefaulted(order_, words.size());
  std::iota(order_.begin(), order_.end(), 0u);
  ResizePrefaulted(scratch_, words.size());
  ResizePrefaulted(digits_, words.size());
  if (shape_ != nullptr) {
    shape_->made.clear();
    ResizePrefaulted(shape_->made, words.size());
    shape_->rows = {};
    // The nodes of the shared codes but the last (the sort of the whole
    // range counts that one) have one child each, held first by word 0.
    // A word alone holds all its nodes.
    if (words.size() > 1) {
      for (std::uint32_t depth = 1; depth < shared; ++depth) AddNode(0, 1);
    } else if (words.size() == 1 && words.lengths[0] > 0) {
      AddChain(0, words.lengths[0]);
    }
  }
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

// The range's words share `depth` codes: they hold the node of those codes,
// which this counts into the shape unless it is the root, and those below.
// A range comes in ascending word number, as the scatter is stable: its
// first word holds its nodes first.
void WordSorter::SortRange(std::uint32_t begin, std::uint32_t end, std::uint32_t depth) {
  const std::uint32_t lowest_word = order_[begin];
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
    if (shape_ != nullptr && depth > 0) AddNode(lowest_word, digit == 0 ? 0 : 1);
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
  unsigned children = 0;
  for (unsigned digit = 1; digit <= highest; ++digit) {
    const std::uint32_t part_begin = begin + counts[digit];
    const std::uint32_t part_end = digit < highest ? begin + counts[digit + 1] : end;
    if (part_end - part_begin > 1) {
      SortRange(part_begin, part_end, depth + 1);
    } else if (shape_ != nullptr && part_end > part_begin) {
      const std::uint32_t word = order[part_begin];
      AddChain(word, starts_[word + 1] - starts_[word] - depth);
    }
    children += part_end > part_begin ? 1 : 0;
  }
  if (shape_ != nullptr && depth > 0) AddNode(lowest_word, children);
  std::fill(counts.begin(), counts.begin() + highest + 1, 0);
}

// An insertion sort: stable, and quick on a few words. Each word's next
// eight codes are compared as one number first; only words equal in
// those and longer go on to compare the rest.
void WordSorter::SortByComparing(std::uint32_t begin, std::uint32_t end, std::uint32_t depth) {
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
  if (shape_ != nullptr) AddComparedNodes(keyed.data(), n, depth);
}

[[gnu::always_inline]] inline std::uint32_t WordSorter::SharedAfter(const Keyed& a, const Keyed& b,
                                                                     std::uint32_t depth) const {
  const std::uint32_t shorter = std::min(a.rest, b.rest);
  if (a.key != b.key) return std::min(static_cast<std::uint32_t>(std::countl_zero(a.key ^ b.key)) / 8, shorter);
  if (shorter <= 8) return shorter;
  const char* codes = words_->codes.data();
  const std::string_view a_rest(codes + starts_[a.word] + depth + 8, shorter - 8);
  const std::string_view b_rest(codes + starts_[b.word] + depth + 8, shorter - 8);
  return 8 + static_cast<std::uint32_t>(SharedPrefixLength(a_rest, b_rest, codes + words_->codes.size()));
}

// Sorted words walked in order open the nodes of their prefixes as a path:
// a word closes the nodes deeper than what it shares with the word before,
// and opens those it shares with the word before or after. The nodes past
// those are the word's alone, a chain counted at once. A closed node
// passes its lowest word number up to its parent and counts as one of the
// parent's children.
void WordSorter::AddComparedNodes(const Keyed* sorted, std::uint32_t n, std::uint32_t depth) {
  std::array<std::uint32_t, kComparedRange + 1> shared;  // shared[i]: word i with word i - 1
  shared[0] = 0;
  for (std::uint32_t i = 1; i < n; ++i) shared[i] = SharedAfter(sorted[i - 1], sorted[i], depth);
  shared[n] = 0;
  struct OpenNode {
    std::uint32_t owner;
    std::uint32_t children;
  };
  std::array<OpenNode, CodedWords::kLongest + 1> open;  // open[r]: the node of depth + r codes
  open[0] = {UINT32_MAX, 0};
  std::uint32_t level = 0;  // of the innermost open node
  const auto close_to = [&](std::uint32_t shallower) {
    for (; level > shallower; --level) {
      AddNode(open[level].owner, open[level].children);
      OpenNode& parent = open[level - 1];
      ++parent.children;
      parent.owner = std::min(parent.owner, open[level].owner);
    }
  };
  for (std::uint32_t i = 0; i < n; ++i) {
    const Keyed& word = sorted[i];
    close_to(shared[i]);
    const std::uint32_t alone = std::max(shared[i], shared[i + 1]);
    while (level < alone) open[++level] = {word.word, 0};
    open[level].owner = std::min(open[level].owner, word.word);
    if (word.rest > alone) {
      AddChain(word.word, word.rest - alone);
      ++open[level].children;
    }
  }
  close_to(0);
  if (depth > 0) AddNode(open[0].owner, open[0].children);
}

}  // namespace tarvo
