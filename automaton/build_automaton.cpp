// The minimising build: folds the word tree into the suffix automaton.
//
// The nodes are visited from the highest index down to the root, so every
// child has its state before its parent. A node gets the state of an earlier
// node with the same rows (final flag, codes, target states) unless one of
// its children got a new state during this build ("fresh"): such a node
// cannot equal any earlier state's rows, so it is added without a search.
// Because of that shortcut a few states with equal rows can stay unmerged;
// they are distinct groups with their own counts, and the numbering depends
// on it, so it is kept exactly.
//
// Nodes with one child are looked up among the single-transition states made
// for the same code, those with more children among all states; both
// lookups return the lowest-numbered equal state, through the automaton's
// builder's row index.
#include "automaton/build_automaton.h"

#include "automaton/automaton_builder.h"
#include "lexicon/word_tree.h"

namespace tarvo {

void BuildAutomaton(const WordTree& tree, SuffixAutomaton& automaton) {
  const std::uint32_t node_count = tree.node_count();
  LargeVector<std::uint32_t> node_state(node_count, 0);
  LargeVector<std::uint8_t> fresh(node_count, 0);
  AutomatonBuilder builder(automaton, tree.growth_step() >> 2, tree.coding());

  std::uint8_t label[kMaxSlotCount];
  std::uint32_t targets[kMaxSlotCount];
  for (std::uint32_t i = node_count; i-- > 0;) {
    const std::uint8_t* node_label = tree.LabelRow(i);
    const std::int32_t* links = tree.LinkRow(i);
    const unsigned n = SlotCount(node_label[0]);
    if (n == 1) {
      node_state[i] = 1;
      continue;
    }
    bool any_fresh = false;
    label[0] = node_label[0];
    targets[0] = 0;
    for (unsigned slot = 1; slot < n; ++slot) {
      const auto child = static_cast<std::uint32_t>(links[slot - 1]);
      label[slot] = node_label[slot];
      targets[slot] = node_state[child];
      any_fresh |= fresh[child] != 0;
    }
    std::uint32_t state = any_fresh ? 0 : builder.FindState(label, targets);
    if (state == 0) {
      state = builder.AddState(label, targets);
      fresh[i] = 1;
    }
    node_state[i] = state;
  }
  node_state = {};
  fresh = {};
  builder.Finish();
}

}  // namespace tarvo
