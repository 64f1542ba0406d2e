// Sorting coded words by their codes, so that words sharing a prefix come
// together and can be walked as the nodes of a trie.
#pragma once

#include <cstdint>

#include "lexicon/coded_words.h"

namespace tarvo {

// The word numbers 0 to words.size() - 1 in ascending order of the words'
// codes (compared as unsigned bytes, a word before its extensions); equal
// words keep ascending numbers. starts is words.Starts().
LargeVector<std::uint32_t> SortedOrder(const CodedWords& words, const LargeVector<std::uint32_t>& starts);

}  // namespace tarvo
