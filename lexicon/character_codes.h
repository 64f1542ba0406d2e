// Codes for the characters of a UTF-8 word list, dealt out while it is read.
//
// Each character gets the next free code when it first appears, and its
// occurrences are counted. Once the list is read, FinalCoding deals out the
// codes of the alphabet order instead: the most frequent character gets
// code 0, the next code 1, and so on, equal counts going to the lower code
// point; it also says which final code each first-appearance code becomes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lexicon/symbol_coding.h"

namespace tarvo {

class CharacterCodes {
 public:
  enum class Result { kCoded, kNotUtf8, kTooManyCharacters };

  CharacterCodes();

  // Appends the codes of the word's characters, counting each. Gives up on
  // a word that is not valid UTF-8 or that would need a code beyond the
  // kMaxCodedCharacters that a coding holds; `codes` may then hold part of
  // the word.
  Result Encode(std::string_view word, std::string& codes);

  // The coding of the alphabet order, and in new_code_of the final code of
  // each code handed out by Encode.
  SymbolCoding FinalCoding(SymbolTable& new_code_of) const;

 private:
  static constexpr std::uint8_t kNoCode = 0xff;
  static constexpr std::uint32_t kDirectLimit = 0x800;  // one- and two-byte characters

  std::uint8_t CodeOf(std::uint32_t point);

  std::array<std::uint8_t, kDirectLimit> direct_codes_;
  std::unordered_map<std::uint32_t, std::uint8_t> other_codes_;
  std::vector<std::uint32_t> points_;  // per code
  std::vector<std::uint64_t> counts_;  // per code
};

}  // namespace tarvo
