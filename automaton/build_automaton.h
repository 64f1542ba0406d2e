// The minimising build: folds a word tree into its suffix automaton.
//
//   WordTree tree = ...;      // see lexicon/word_list_loader.h
//   SuffixAutomaton automaton;
//   BuildAutomaton(tree, automaton);
#pragma once

namespace tarvo {

class SuffixAutomaton;
class WordTree;

// Replaces every state of `automaton` with the states of `tree`'s words.
// Leaves the tree unchanged. The automaton's storage is reused.
void BuildAutomaton(const WordTree& tree, SuffixAutomaton& automaton);

// Frees every state of the automaton of a tree about to grow (an Update),
// which BuildAutomaton then builds anew from the grown tree. Kept through
// the insertion, the old states would add their memory to its peak.
void ReleaseBeforeTreeGrows(SuffixAutomaton& automaton);

}  // namespace tarvo
