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

bool SymbolCoding::EncodeForwards(std::string_view word, std::string& codes) const {
  if (!characters_) {
    for (unsigned char c : word) codes += static_cast<char>(char_to_code_[c]);
    return true;
  }
  for (std::size_t pos = 0; pos < word.size();) {
    const std::size_t length = Utf8SequenceLength(word, pos);
    if (length == 0) return false;
    const std::uint32_t point = DecodeUtf8(word, pos, length);
    std::uint8_t code = kNoCode;
    if (point < kDirectLimit) {
      code = direct_codes_[point];
    } else if (auto found = other_codes_.find(point); found != other_codes_.end()) {
      code = found->second;
    }
    if (code == kNoCode) return false;
    codes += static_cast<char>(code);
    pos += length;
  }
  return true;
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
