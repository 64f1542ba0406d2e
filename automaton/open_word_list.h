// Opening a word list: the fixed order of work shared by the window and the
// command line.
//
// The list is read once into the tree, coded by its own alphabet order (see
// lexicon/word_list_loader.h), and the automaton is rebuilt from the tree.
// Ranking the groups is left to the caller, who holds the settings.
//
// Asked to read the list as characters, it codes each UTF-8 character as one
// symbol; a list that is not valid UTF-8, or has more than 255 distinct
// characters, is read as bytes instead, and the report says why. Asked to
// read backwards, it holds every word reversed (prefix mode).
//
// A failed open leaves the tree and the automaton in an unspecified but
// valid state: a caller that must keep its list opens into new ones and
// swaps them in on success.
#pragma once

#include <string>

#include "lexicon/word_list_loader.h"

namespace tarvo {

class WordTree;
class SuffixAutomaton;

// What the reading saw (see LoadedWordList), and how long each step took.
struct OpenReport : LoadedWordList {
  double read_seconds = 0;  // reading the list into the tree
  double build_seconds = 0;
};

[[nodiscard]] OpenReport OpenWordList(const std::string& path, std::uint32_t buffer_size, WordTree& tree,
                                      SuffixAutomaton& automaton, bool read_as_characters = false,
                                      ReadingDirection direction = ReadingDirection::kForwards);

// How many distinct words the tree holds. A tree of the root alone gets
// the accepting leaf state as its start state, whose one (empty) ending
// counts only when the root itself is a word.
std::uint32_t DistinctWords(const WordTree& tree, const SuffixAutomaton& automaton);

// Seconds on a monotonic clock, for the timings above.
double MonotonicSeconds();

}  // namespace tarvo
