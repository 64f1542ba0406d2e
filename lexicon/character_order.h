// The alphabet order of a UTF-8 word list over its characters.
//
// The same rule as for bytes (alphabet_order.h), with characters in place of
// bytes: the most frequent character gets code 0, the next code 1, and so
// on; equal counts go to the lower code point; the code after the last
// character is left unused, as byte value 0's code is in byte mode. One pass
// over the file also gives the byte order, for the lists that cannot be read
// as characters: those that are not valid UTF-8, and those with more than
// 255 distinct characters.
#pragma once

#include <string>

#include "lexicon/symbol_coding.h"
#include "lexicon/word_reader.h"

namespace tarvo {

struct CharacterOrder {
  enum class Outcome {
    kCharacters,         // `coding` is in character mode
    kNotUtf8,            // a word is not valid UTF-8: `coding` is the byte order
    kTooManyCharacters,  // more than 255 distinct characters: the byte order
    kUnreadable,         // the file could not be read: `coding` is the identity
  };
  Outcome outcome = Outcome::kUnreadable;
  SymbolCoding coding;
  std::size_t distinct_characters = 0;
  WordListStats stats;
};

CharacterOrder ComputeCharacterOrder(const std::string& path);

// Why a list asked to be read as characters is read as bytes ("" when it is
// read as characters), for messages.
std::string ByteModeReason(const CharacterOrder& order);

}  // namespace tarvo
