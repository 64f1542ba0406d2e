#include "lexicon/character_order.h"

#include <algorithm>
#include <array>
#include <vector>

#include "lexicon/alphabet_order.h"
#include "lexicon/utf8.h"

namespace tarvo {
namespace {

constexpr std::uint32_t kCodePoints = 0x110000;

}  // namespace

CharacterOrder ComputeCharacterOrder(const std::string& path) {
  CharacterOrder order;
  std::array<std::uint64_t, 256> byte_counts{};
  std::vector<std::uint64_t> character_counts(kCodePoints, 0);
  const bool ok = ForEachWordInFile(path, order.stats, [&](std::string_view word) {
    for (unsigned char c : word) ++byte_counts[c];
    bool valid = true;
    for (std::size_t pos = 0; pos < word.size();) {
      const std::size_t length = Utf8SequenceLength(word, pos);
      if (length == 0) {
        valid = false;
        break;
      }
      ++character_counts[DecodeUtf8(word, pos, length)];
      pos += length;
    }
    if (!valid) ++order.stats.words_not_utf8;
  });
  if (!ok) return order;

  std::vector<std::uint32_t> characters;
  for (std::uint32_t point = 0; point < kCodePoints; ++point) {
    if (character_counts[point] != 0) characters.push_back(point);
  }
  order.distinct_characters = characters.size();
  if (order.stats.words_not_utf8 != 0 || characters.size() > kMaxCodedCharacters) {
    order.outcome = order.stats.words_not_utf8 != 0 ? CharacterOrder::Outcome::kNotUtf8
                                                    : CharacterOrder::Outcome::kTooManyCharacters;
    order.coding = SymbolCoding(CAlphabetOrder::OrderFromCounts(byte_counts));
    return order;
  }
  // Descending count, ties to the lower code point (the list is ascending).
  std::stable_sort(characters.begin(), characters.end(), [&](std::uint32_t a, std::uint32_t b) {
    return character_counts[a] > character_counts[b];
  });
  std::vector<std::string> texts;
  for (std::uint32_t point : characters) {
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
