// Words collected in list order for an insertion in code order, kept in one
// part per first code: the parts share no node but the root, so that each
// is sorted and inserted on its own, and is small next to the whole list.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "lexicon/coded_words.h"
#include "lexicon/large_block_allocator.h"
#include "lexicon/page_prefault.h"
#include "lexicon/symbol_order.h"

namespace tarvo {

class CollectedWords {
 public:
  // Most words and most codes in one part: word numbers and offsets are 32-bit.
  static constexpr std::uint64_t kMostWords = UINT32_MAX - 1;
  static constexpr std::uint64_t kMostPartBytes = UINT32_MAX - 1;

  // False when the word does not fit (see the limits above) or is longer
  // than CodedWords::kLongest; then nothing is added.
  bool Add(std::string_view codes) {
    const unsigned first = PartOf(codes);
    CodedWords& part = parts_[first];
    if (codes.size() > CodedWords::kLongest || size_ >= kMostWords ||
        part.codes.size() + codes.size() > kMostPartBytes) {
      return false;
    }
    numbers_[first].push_back(static_cast<std::uint32_t>(size_++));
    first_codes_.push_back(static_cast<std::uint8_t>(first));
    part.Add(codes);
    PartPrefault& ahead = ahead_[first];
    ahead.numbers.After(numbers_[first]);
    ahead.codes.After(part.codes);
    ahead.lengths.After(part.lengths);
    first_codes_ahead_.After(first_codes_);
    return true;
  }

  // Adds the words of `codes`, back to back, `lengths` giving the codes of
  // each, as Add does one by one; the words of a block are dealt out to
  // their parts in one pass, without checking room for each. False when
  // they do not all fit (see the limits above); then nothing is added.
  bool AddWords(std::string_view codes, std::span<const std::uint8_t> lengths);

  // Makes room for about `bytes` more bytes of codes, shared among the parts
  // as the codes so far are, and for the words they make, as long as the
  // words so far. A part whose room must grow gets an eighth to spare, so
  // that the next estimate, with shares a little different, finds room
  // instead of copying the part again.
  void Reserve(std::uint64_t bytes) {
    const std::uint64_t total = Bytes();
    if (total == 0) return;
    for (std::size_t first = 0; first < parts_.size(); ++first) {
      CodedWords& part = parts_[first];
      if (part.empty()) continue;
      const double share = static_cast<double>(part.codes.size()) / static_cast<double>(total);
      const double more = share * static_cast<double>(bytes);
      const double more_words = more / BytesPerWord(part.codes.size(), part.size());
      ReserveMore(part.codes, static_cast<std::uint64_t>(more));
      ReserveMore(part.lengths, static_cast<std::uint64_t>(more_words));
      ReserveMore(numbers_[first], static_cast<std::uint64_t>(more_words));
    }
    ReserveMore(first_codes_, static_cast<std::uint64_t>(static_cast<double>(bytes) / BytesPerWord(total, size_)));
  }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  // The words whose first code is `first` (the empty word, if any, among
  // those of one part), and the number of each in the list.
  const CodedWords& part(unsigned first) const { return parts_[first]; }
  const WordNumbers& numbers(unsigned first) const { return numbers_[first]; }
  static constexpr unsigned kParts = 256;
  // How many first codes every word of part `first` has, the same in all:
  // its first code, except in the part that holds the empty word.
  static std::uint32_t SharedCodes(unsigned first) { return first == PartOf({}) ? 0 : 1; }

  // The codes of every word in list order (see ForgetListOrder).
  template <typename OnWord>
  void ForEachInListOrder(OnWord&& on_word) {
    FinishRecodingAll();
    std::array<std::uint32_t, kParts> next{};
    std::array<std::uint32_t, kParts> start{};
    for (const std::uint8_t first : first_codes_) {
      const std::string_view word = parts_[first].word(start[first], next[first]++);
      start[first] += static_cast<std::uint32_t>(word.size());
      on_word(word);
    }
  }

  // Gives every code c the code new_code_of[c] (a permutation). The parts
  // and the list order take the new codes at once; the codes inside a part
  // are rewritten by FinishRecoding, so that the parts can be rewritten on
  // several threads. Until then part() holds the part's old codes.
  void Recode(const SymbolTable& new_code_of) {
    FinishRecodingAll();
    std::array<CodedWords, kParts> parts;
    std::array<WordNumbers, kParts> numbers;
    for (unsigned first = 0; first < kParts; ++first) {
      parts[new_code_of[first]] = std::move(parts_[first]);
      numbers[new_code_of[first]] = std::move(numbers_[first]);
    }
    parts_ = std::move(parts);
    numbers_ = std::move(numbers);
    for (std::uint8_t& first : first_codes_) first = new_code_of[first];
    new_code_of_ = new_code_of;
    for (unsigned first = 0; first < kParts; ++first) recoding_[first] = !parts_[first].empty();
  }
  // Gives the codes of part `first` their new values, if a Recode left them
  // to do. Different parts may be finished on different threads at once.
  void FinishRecoding(unsigned first) {
    if (!recoding_[first]) return;
    const std::uint8_t* new_code_of = new_code_of_.data();
    char* codes = parts_[first].codes.data();
    const std::size_t size = parts_[first].codes.size();
#pragma GCC unroll 8
    for (std::size_t i = 0; i < size; ++i) {
      codes[i] = static_cast<char>(new_code_of[static_cast<std::uint8_t>(codes[i])]);
    }
    recoding_[first] = false;
  }
  void FinishRecodingAll() {
    for (unsigned first = 0; first < kParts; ++first) FinishRecoding(first);
  }

  // Frees what only ForEachInListOrder needs; it may be called again only
  // after RestoreListOrder.
  void ForgetListOrder() { FreeGivingBack(first_codes_); }
  // Gives back the memory of the room past the end of every part's arrays,
  // brought in ahead of words that did not come.
  void ReleaseRoom();
  // Puts the words of part `first` in the order `order`, a permutation of
  // their indices, so that words read together lie together; starts is
  // the part's Starts(). Then only numbers(first) tells the words' places
  // in the list until RestoreListOrder.
  void ReorderPart(unsigned first, WordNumbers order, LargeVector<std::uint32_t> starts);
  void RestoreListOrder();

  // The numbers of part `first`'s words, for a caller that puts numbers of
  // its own in their place once the list order is no longer needed; then
  // neither RestoreListOrder nor ForEachInListOrder may be called.
  std::span<std::uint32_t> ReplaceListNumbers(unsigned first) { return numbers_[first]; }

  // Lets the memory of the first `words` words of part `first` go, whose
  // codes take `bytes`; they must not be read again.
  void ReleaseLeadingWords(unsigned first, std::uint32_t words, std::uint32_t bytes) {
    ReleaseLeadingElements(parts_[first].codes, bytes);
    ReleaseLeadingElements(parts_[first].lengths, words);
    ReleaseLeadingElements(numbers_[first], words);
  }

  // Frees the words of one part; the list-order view is no longer valid.
  void ReleasePart(unsigned first) {
    parts_[first] = CodedWords();
    numbers_[first] = WordNumbers();
  }

  void Clear() { *this = CollectedWords(); }

  std::uint64_t Bytes() const {
    std::uint64_t total = 0;
    for (const CodedWords& part : parts_) total += part.codes.size();
    return total;
  }

 private:
  // The part of a word: its first code, 0 for the empty word.
  static unsigned PartOf(std::string_view codes) {
    return codes.empty() ? 0 : static_cast<unsigned char>(codes[0]);
  }
  // At least 1, so that empty words do not make the estimate endless.
  static double BytesPerWord(std::uint64_t bytes, std::uint64_t words) {
    return std::max(1.0, static_cast<double>(bytes) / static_cast<double>(words));
  }
  template <typename Vector>
  static void ReserveMore(Vector& v, std::uint64_t more) {
    const std::uint64_t wanted = v.size() + more;
    if (wanted > v.capacity()) Reallocate(v, wanted + wanted / 8);
  }
  // Grows v by `more` elements, doubling its room when it must grow; the
  // pages of the new elements are brought in before they are written.
  template <typename Vector>
  static void GrowBy(Vector& v, std::size_t more, PrefaultAhead& ahead) {
    ReserveDoubling(v, v.size() + more);
    ahead.Before(v, more);
    v.resize(v.size() + more);
  }

  std::array<CodedWords, kParts> parts_;
  std::array<WordNumbers, kParts> numbers_;
  UninitializedLargeVector<std::uint8_t> first_codes_;  // per word in list order
  std::size_t size_ = 0;
  // The last Recode's codes, and the parts whose codes do not have them yet.
  SymbolTable new_code_of_{};
  std::array<bool, kParts> recoding_{};
  // The words are added into room reserved ahead (Reserve), whose pages
  // are brought in a window at a time rather than faulted one by one.
  struct PartPrefault {
    PrefaultAhead codes;
    PrefaultAhead lengths;
    PrefaultAhead numbers;
  };
  std::array<PartPrefault, kParts> ahead_;
  PrefaultAhead first_codes_ahead_;
};

}  // namespace tarvo
