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
#include "lexicon/assertions.h"
#include "lexicon/label_row.h"
#include "lexicon/page_prefault.h"
#include "lexicon/word_tree.h"

namespace tarvo {
namespace {

// node_state holds each node's state, with kFreshBit set when the state was
// added by this build: a child's state and flag then cost one memory access.
constexpr std::uint32_t kFreshBit = std::uint32_t{1} << 31;
// Every state from 2 up copies a distinct inner node, so no state number
// exceeds the node count, which is at most kMaxNodes.
static_assert(WordTree::kMaxNodes < kFreshBit);

// Unless the list was loaded sorted, a node's rows and its children's entries
// lie anywhere in memory, and the loop would stall on each of them. So it
// asks for them ahead: the rows of the node kRowDistance places on, and the
// children's entries of the node kChildDistance places on, whose rows have
// arrived by then. Both distances were tuned on shuffled large lists.
constexpr std::uint32_t kRowDistance = 32;
constexpr std::uint32_t kChildDistance = 16;

// Always inlined: GCC finds that a function doing nothing but prefetch has
// no effect, and drops the calls to it.
[[gnu::always_inline]] inline void PrefetchRows(const WordTree& tree, std::uint32_t node) {
  __builtin_prefetch(tree.LabelRow(node));
}

[[gnu::always_inline]] inline void PrefetchChildStates(const WordTree& tree, std::uint32_t node,
                                                       const std::uint32_t* node_state) {
  const std::uint8_t* label = tree.LabelRow(node);
  const unsigned n = SlotCount(label[0]);
  const LinkRowView links = WordTree::LinkRowAfter(label);
  for (unsigned slot = 1; slot < n; ++slot) __builtin_prefetch(node_state + links[slot - 1]);
}

// Gives every node its state in node_state, from the highest node down.
void AssignStates(const WordTree& tree, std::uint32_t* node_state, AutomatonBuilder& builder) {
  std::uint8_t label[kMaxSlotCount];
  std::uint32_t targets[kMaxSlotCount];
  for (std::uint32_t i = tree.node_count(); i-- > 0;) {
    if (i >= kRowDistance) PrefetchRows(tree, i - kRowDistance);
    if (i >= kChildDistance) PrefetchChildStates(tree, i - kChildDistance, node_state);
    const std::uint8_t* node_label = tree.LabelRow(i);
    const unsigned n = SlotCount(node_label[0]);
    if (n == 1) {
      node_state[i] = 1;
      continue;
    }
    const LinkRowView links = WordTree::LinkRowAfter(node_label);
    bool any_fresh = false;
    label[0] = node_label[0];
    targets[0] = 0;
    for (unsigned slot = 1; slot < n; ++slot) {
      const std::uint32_t entry = node_state[static_cast<std::uint32_t>(links[slot - 1])];
      label[slot] = node_label[slot];
      targets[slot] = entry & ~kFreshBit;
      any_fresh |= (entry & kFreshBit) != 0;
    }
    std::uint32_t state = any_fresh ? 0 : builder.FindState(label, targets);
    if (state == 0) {
      state = builder.AddState(label, targets);
      TARVO_ASSERT(state < kFreshBit);
      state |= kFreshBit;
    }
    node_state[i] = state;
  }
}

}  // namespace

void ReleaseBeforeTreeGrows(SuffixAutomaton& automaton) { automaton = SuffixAutomaton(); }

void BuildAutomaton(const WordTree& tree, SuffixAutomaton& automaton) {
  TARVO_ASSERT(tree.node_count() <= WordTree::kMaxNodes);
  AutomatonBuilder builder(automaton, tree.growth_step() >> 2, tree.coding());
  // Growing the rows during the build would hold their old and new copies
  // in memory at once, beside node_state: the peak of opening a list.
  builder.ReserveForTree(tree.node_count());
  {
    // Each node's entry is written before any parent reads it, from the
    // end: meanwhile its pages are brought in on another processor.
    UninitializedLargeVector<std::uint32_t> node_state(tree.node_count());
    BackgroundPrefault prefault(node_state.data(), node_state.size() * sizeof(std::uint32_t));
    AssignStates(tree, node_state.data(), builder);
  }  // node_state is freed before the last steps, which copy the rows.
  builder.Finish();
}

}  // namespace tarvo
