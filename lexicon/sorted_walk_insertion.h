// Inserting a list of words through walks over them in sorted order (see
// list_order_inserter.h for why this gives the tree of the list order).
#pragma once

#include "lexicon/collected_words.h"

namespace tarvo {

class WordTree;

// Inserts `words` (symbol codes, in list order) into the tree, making the
// tree that inserting them one by one in that order makes. Returns false,
// leaving the tree and `words` unchanged, when the order decides which words
// the tree refuses: when some node would get more than 126 children, or the
// tree would reach its size limits. Otherwise no word is refused, and
// `words` is emptied (its memory goes to the tree's rows).
[[nodiscard]] bool InsertInSortedWalks(WordTree& tree, CollectedWords& words);

}  // namespace tarvo
