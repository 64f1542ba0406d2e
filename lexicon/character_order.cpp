#include "lexicon/character_order.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <utility>
#include <vector>

#include "lexicon/alphabet_order.h"
#include "lexicon/utf8.h"

namespace tarvo {
namespace {

// Occurrences per code point: an array for the one- and two-byte
// characters, which most lists are made of, and a map for the rest.
class CharacterCounts {
 public:
  void Add(std::uint32_t point) {
    if (point < kDirect) ++direct_[point];
    else ++others_[point];
  }
  // (code point, count) of every character that occurs, by ascending code point.
  std::vector<std::pair<std::uint32_t, std::uint64_t>> Occurring() const {
    std::vector<std::pair<std::uint32_t, std::uint64_t>> occurring;
    for (std::uint32_t point = 0; point < kDirect; ++point) {
      if (direct_[point] != 0) occurring.emplace_back(point, direct_[point]);
    }
    std::vector<std::pair<std::uint32_t, std::uint64_t>> rest(others_.begin(), others_.end());
    std::sort(rest.begin(), rest.end());
    occurring.insert(occurring.end(), rest.begin(), rest.end());
    return occurring;
  }

 private:
  static constexpr std::uint32_t kDirect = 0x800;
  std::array<std::uint64_t, kDirect> direct_{};
  std::unordered_map<std::uint32_t, std::uint64_t> others_;
};

}  // namespace

CharacterOrder ComputeCharacterOrder(const std::string& path) {
  CharacterOrder order;
  std::array<std::uint64_t, 256> byte_counts{};
  CharacterCounts character_counts;
  const bool ok = ForEachWordInFile(path, order.stats, [&](std::string_view word) {
    for (unsigned char c : word) ++byte_counts[c];
    bool valid = true;
    for (std::size_t pos = 0; pos < word.size();) {
      const std::size_t length = Utf8SequenceLength(word, pos);
      if (length == 0) {
        valid = false;
        break;
      }
      character_counts.Add(DecodeUtf8(word, pos, length));
      pos += length;
    }
    if (!valid) ++order.stats.words_not_utf8;
  });
  if (!ok) return order;

  std::vector<std::pair<std::uint32_t, std::uint64_t>> characters = character_counts.Occurring();
  order.distinct_characters = characters.size();
  if (order.stats.words_not_utf8 != 0 || characters.size() > kMaxCodedCharacters) {
    order.outcome = order.stats.words_not_utf8 != 0 ? CharacterOrder::Outcome::kNotUtf8
                                                    : CharacterOrder::Outcome::kTooManyCharacters;
    order.coding = SymbolCoding(CAlphabetOrder::OrderFromCounts(byte_counts));
    return order;
  }
  // Descending count, ties to the lower code point (the list is ascending).
  std::stable_sort(characters.begin(), characters.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  std::vector<std::string> texts;
  for (const auto& [point, count] : characters) {
    std::string text;
    AppendUtf8(text, point);
    texts.push_back(std::move(text));
  }
  order.outcome = CharacterOrder::Outcome::kCharacters;
  order.coding = SymbolCoding::ForCharacters(std::move(texts));
  return order;
}

std::string ByteModeReason(const CharacterOrder& order) {
  switch (order.outcome) {
    case CharacterOrder::Outcome::kCharacters: return "";
    case CharacterOrder::Outcome::kNotUtf8:
      return std::to_string(order.stats.words_not_utf8) + " word(s) are not valid UTF-8";
    case CharacterOrder::Outcome::kTooManyCharacters:
      return "it has " + std::to_string(order.distinct_characters) +
             " distinct characters, more than the 255 that can be coded";
    case CharacterOrder::Outcome::kUnreadable: return "it cannot be read";
  }
  return "";
}

}  // namespace tarvo
