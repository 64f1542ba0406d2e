// Prefix mode: reading every word backwards turns its prefixes into
// suffixes, so the suffix analysis finds them unchanged.
//
// In prefix mode the word tree and the automaton hold every word reversed,
// symbol by symbol: byte by byte in byte mode, whole UTF-8 characters in
// character mode. Words enter reversed (the list's reader and
// SymbolCoding::Encode turn them) and every string the engine hands out is
// turned back, so that callers only ever see words, stems and affixes in
// reading order. A contiguous piece of a reversed word (a stem, an affix)
// reads forwards once it is reversed on its own, which is why each string
// can be turned back by itself.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvo {

enum class ReadingDirection : std::uint8_t { kForwards, kBackwards };

// Reverses a string of symbol codes (one byte per symbol) from position
// `from` to its end.
void ReverseCodes(std::string& codes, std::size_t from = 0);

// Reverses text symbol by symbol: by whole UTF-8 characters when
// `characters` (the text must then be valid UTF-8), otherwise by bytes.
void ReverseSymbols(std::string& text, bool characters);

// A stem and an affix in reading order joined into the word they make: the
// affix follows the stem when reading forwards and precedes it when the
// words are held backwards.
void JoinStemAndAffix(std::string& word, std::string_view stem, std::string_view affix,
                      ReadingDirection direction);

}  // namespace tarvo
