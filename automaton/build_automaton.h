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
// Leaves the tree unchanged. The automaton's storage is reused, so
// rebuilding after inserting words costs no second automaton's memory.
void BuildAutomaton(const WordTree& tree, SuffixAutomaton& automaton);

}  // namespace tarvo
