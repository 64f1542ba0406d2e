// Inserting many words bucket by bucket (see list_order_inserter.h for why
// this gives the tree of the list order).
#pragma once

#include <cstddef>

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
// The words are split by their leading codes into buckets of at most
// bucket_words words (prefix_buckets.h). Only the first word of a bucket
// can make nodes that other buckets' words pass through: those nodes come
// from a small trie of the buckets' prefixes, taken in list order. Each
// bucket's words then go into a trie of their own (bucket_trie.h), once to
// count the nodes each word makes, from which every node's number follows,
// and once more to write the nodes into the tree. The parts are split, and
// the buckets inserted, on all processors at once (task_pipeline.h); the
// tree is the same whatever the number of threads and however they run.
[[nodiscard]] bool InsertInBuckets(WordTree& tree, CollectedWords& words, std::size_t bucket_words);

// Small enough for a bucket's trie to stay within the processor's caches.
inline constexpr std::size_t kBucketWords = 2048;

}  // namespace tarvo
