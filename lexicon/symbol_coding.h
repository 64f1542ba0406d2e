// SymbolCoding: how words are cut into symbols, and how symbol codes are
// written back as text.
//
// In byte mode every byte is one symbol and a char-to-code table (a
// permutation, see alphabet_order.h) gives its code. In character mode every
// UTF-8 character is one symbol: the list's characters (at most 255) are
// numbered by code, and a code is written back as its character's bytes.
// The word tree and the automaton work on codes only and are the same in
// both modes; they hold a copy of the coding to read words in and write them
// out.
//
// The coding also knows the direction in which words are held (see
// reading_direction.h): Encode and TextOf turn a backwards word around, so
// that text always goes in and comes out in reading order.
//
//   std::string codes;
//   if (coding.Encode(word, codes)) tree_insert(codes);
//   std::string text;
//   for (unsigned char code : codes) coding.AppendText(text, code);
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lexicon/reading_direction.h"
#include "lexicon/symbol_order.h"

namespace tarvo {

// The most characters one coding can hold: one code must stay unused, as
// byte value 0's code does in byte mode.
inline constexpr std::size_t kMaxCodedCharacters = 255;

class SymbolCoding {
 public:
  // Byte mode with the identity table.
  SymbolCoding() : SymbolCoding(IdentitySymbolTable()) {}
  // Byte mode with the given char-to-code table.
  SymbolCoding(const SymbolTable& char_to_code);  // NOLINT: a table is a byte coding
  // Character mode: code i stands for characters[i] (each one well-formed
  // UTF-8 character; at most kMaxCodedCharacters of them).
  static SymbolCoding ForCharacters(std::vector<std::string> characters);

  bool characters() const { return characters_; }

  ReadingDirection direction() const { return direction_; }
  bool backwards() const { return direction_ == ReadingDirection::kBackwards; }
  void set_direction(ReadingDirection direction) { direction_ = direction; }

  // Appends the codes of `word`, in the order the words are held. False when
  // the word holds something that is not one of the coded characters
  // (character mode only); `codes` may then hold part of the word.
  bool Encode(std::string_view word, std::string& codes) const;

  void AppendText(std::string& out, std::uint8_t code) const {
    if (characters_) out += texts_[code];
    else out += static_cast<char>(code_to_char_[code]);
  }
  // The text, in reading order, of a string of codes as held: a word or
  // any piece of one.
  std::string TextOf(std::string_view codes) const;
  // Turns text made by AppendText from codes as held into reading order.
  void ToReadingOrder(std::string& text) const {
    if (backwards()) ReverseSymbols(text, characters_);
  }

  // Byte mode tables (identity in character mode).
  const SymbolTable& char_to_code() const { return char_to_code_; }
  const SymbolTable& code_to_char() const { return code_to_char_; }
  // Character mode: the character of each code, in code order.
  const std::vector<std::string>& coded_characters() const { return characters_by_code_; }

 private:
  // Encode in the order the word is written.
  bool EncodeForwards(std::string_view word, std::string& codes) const;
  // The code of a character, kNoCode when the coding has none.
  std::uint8_t CodeOfPoint(std::uint32_t point) const;

  static constexpr std::uint8_t kNoCode = 0xff;  // codes in use are 0 to 254
  static constexpr std::uint32_t kDirectLimit = 0x800;  // one- and two-byte characters

  bool characters_ = false;
  ReadingDirection direction_ = ReadingDirection::kForwards;
  SymbolTable char_to_code_{};
  SymbolTable code_to_char_{};
  std::vector<std::string> characters_by_code_;
  std::array<std::string, 256> texts_;
  // Code of each character below U+0800 (kNoCode when not coded); the rest
  // in a map, as they are rare in the lists this mode is for.
  std::array<std::uint8_t, kDirectLimit> direct_codes_{};
  std::unordered_map<std::uint32_t, std::uint8_t> other_codes_;
};

}  // namespace tarvo
