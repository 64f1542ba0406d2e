// Tables between characters (byte values) and symbol codes.
//
// A word list's alphabet order deals the 256 symbol codes out to the 256 byte
// values. The word tree and the automaton both keep the children of a node in
// ascending symbol code, so these tables decide storage, search and output
// order. Each owner keeps its own copy of both tables.
#pragma once

#include <array>
#include <cstdint>

namespace tarvo {

using SymbolTable = std::array<std::uint8_t, 256>;

// The identity permutation: every byte value is its own code.
inline SymbolTable IdentitySymbolTable() {
  SymbolTable table{};
  for (unsigned c = 0; c < 256; ++c) table[c] = static_cast<std::uint8_t>(c);
  return table;
}

// Derives the code-to-char table from a char-to-code table by going through
// the characters in ascending order, so that of several characters sharing a
// code (only possible for a table that is not a permutation) the highest wins.
inline SymbolTable DeriveCodeToChar(const SymbolTable& char_to_code) {
  SymbolTable code_to_char{};
  for (unsigned c = 0; c < 256; ++c) code_to_char[char_to_code[c]] = static_cast<std::uint8_t>(c);
  return code_to_char;
}

}  // namespace tarvo
