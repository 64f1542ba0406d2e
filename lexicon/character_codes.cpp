#include "lexicon/character_codes.h"

#include <algorithm>
#include <numeric>

#include "lexicon/utf8.h"

namespace tarvo {

CharacterCodes::CharacterCodes() { direct_codes_.fill(kNoCode); }

std::uint8_t CharacterCodes::CodeOf(std::uint32_t point) {
  std::uint8_t* code = nullptr;
  if (point < kDirectLimit) {
    code = &direct_codes_[point];
  } else {
    code = &other_codes_.try_emplace(point, kNoCode).first->second;
  }
  if (*code == kNoCode && points_.size() < kMaxCodedCharacters) {
    *code = static_cast<std::uint8_t>(points_.size());
    points_.push_back(point);
    counts_.push_back(0);
  }
  return *code;
}

CharacterCodes::Result CharacterCodes::Encode(std::string_view word, std::string& codes) {
  // A word has at most as many characters as bytes: its codes are written
  // into room for that many, cut to the count at the end, rather than
  // appended one by one.
  const std::size_t start = codes.size();
  codes.resize(start + word.size());
  char* out = codes.data() + start;
  Result result = Result::kCoded;
  for (std::size_t pos = 0; pos < word.size();) {
    const auto [point, length] = NextUtf8Character(word, pos);
    if (length == 0) {
      result = Result::kNotUtf8;
      break;
    }
    // Most characters have their code already; CodeOf deals out new ones.
    std::uint8_t code = point < kDirectLimit ? direct_codes_[point] : kNoCode;
    if (code == kNoCode) code = CodeOf(point);
    if (code == kNoCode) {
      result = Result::kTooManyCharacters;
      break;
    }
    ++counts_[code];
    *out++ = static_cast<char>(code);
    pos += length;
  }
  codes.resize(static_cast<std::size_t>(out - codes.data()));
  return result;
}

SymbolCoding CharacterCodes::FinalCoding(SymbolTable& new_code_of) const {
  std::vector<std::uint8_t> by_rank(points_.size());
  std::iota(by_rank.begin(), by_rank.end(), std::uint8_t{0});
  std::sort(by_rank.begin(), by_rank.end(), [&](std::uint8_t a, std::uint8_t b) {
    return counts_[a] != counts_[b] ? counts_[a] > counts_[b] : points_[a] < points_[b];
  });
  new_code_of.fill(kNoCode);
  std::vector<std::string> texts;
  texts.reserve(by_rank.size());
  for (std::size_t rank = 0; rank < by_rank.size(); ++rank) {
    new_code_of[by_rank[rank]] = static_cast<std::uint8_t>(rank);
    AppendUtf8(texts.emplace_back(), points_[by_rank[rank]]);
  }
  return SymbolCoding::ForCharacters(std::move(texts));
}

}  // namespace tarvo
