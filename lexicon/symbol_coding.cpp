#include "lexicon/symbol_coding.h"

#include "lexicon/utf8.h"

namespace tarvo {

SymbolCoding::SymbolCoding(const SymbolTable& char_to_code)
    : char_to_code_(char_to_code), code_to_char_(DeriveCodeToChar(char_to_code)) {}

SymbolCoding SymbolCoding::ForCharacters(std::vector<std::string> characters) {
  SymbolCoding coding;
  coding.characters_ = true;
  coding.direct_codes_.fill(kNoCode);
  for (std::size_t code = 0; code < characters.size() && code < kMaxCodedCharacters; ++code) {
    const std::string& character = characters[code];
    const std::uint32_t point = DecodeUtf8(character, 0, character.size());
    if (point < kDirectLimit) coding.direct_codes_[point] = static_cast<std::uint8_t>(code);
    else coding.other_codes_[point] = static_cast<std::uint8_t>(code);
    coding.texts_[code] = character;
  }
  coding.characters_by_code_ = std::move(characters);
  return coding;
}

bool SymbolCoding::Encode(std::string_view word, std::string& codes) const {
  const std::size_t start = codes.size();
  const bool encoded = EncodeForwards(word, codes);
  if (encoded && backwards()) ReverseCodes(codes, start);
  return encoded;
}

std::uint8_t SymbolCoding::CodeOfPoint(std::uint32_t point) const {
  if (point < kDirectLimit) return direct_codes_[point];
  const auto found = other_codes_.find(point);
  return found == other_codes_.end() ? kNoCode : found->second;
}

bool SymbolCoding::EncodeForwards(std::string_view word, std::string& codes) const {
  // A word has at most as many symbols as bytes: the codes go into room
  // made once for that many, cut to the count at the end.
  const std::size_t start = codes.size();
  codes.resize(start + word.size());
  char* out = codes.data() + start;
  bool encoded = true;
  if (!characters_) {
    for (const unsigned char c : word) *out++ = static_cast<char>(char_to_code_[c]);
  } else {
    for (std::size_t pos = 0; pos < word.size();) {
      const auto [point, length] = NextUtf8Character(word, pos);
      const std::uint8_t code = length == 0 ? kNoCode : CodeOfPoint(point);
      if (code == kNoCode) {
        encoded = false;
        break;
      }
      *out++ = static_cast<char>(code);
      pos += length;
    }
  }
  codes.resize(static_cast<std::size_t>(out - codes.data()));
  return encoded;
}

std::string SymbolCoding::TextOf(std::string_view codes) const {
  std::string text;
  text.reserve(codes.size());
  if (backwards()) {
    for (auto code = codes.rbegin(); code != codes.rend(); ++code) AppendText(text, static_cast<std::uint8_t>(*code));
  } else {
    for (unsigned char code : codes) AppendText(text, code);
  }
  return text;
}

}  // namespace tarvo
