// Inserting many words at once in the order of their codes (see
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
//
// Each part of the words (those with one first code) is sorted by codes
// (word_sort.h) and then walked twice, depth first, through the nodes its
// words pass through: once to count the nodes each word makes first in list
// order, from which every node's number follows, and once more to write the
// nodes into the tree. The parts are sorted, counted and written on all
// processors at once (task_pipeline.h); they share only the root, which is
// written last. The tree is the same whatever the number of threads and
// however they run.
[[nodiscard]] bool InsertInCodeOrder(WordTree& tree, CollectedWords& words);

}  // namespace tarvo
