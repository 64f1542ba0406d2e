// AutomatonBuilder: the only writer of a SuffixAutomaton's states.
//
// The minimising build (build_automaton.h) drives it: it starts a new
// automaton, adds states whose transitions lead only to states that already
// exist, finds states with equal rows through a row index, and at the end
// trims the row arrays and fills the word and suffix counts. The automaton's
// own class only reads.
//
//   AutomatonBuilder builder(automaton, growth_step, coding);
//   std::uint32_t state = builder.FindState(label, targets);
//   if (state == 0) state = builder.AddState(label, targets);
//   ...
//   builder.Finish();
#pragma once

#include <cstdint>
#include <utility>

#include "automaton/single_transition_index.h"
#include "automaton/state_index.h"
#include "automaton/suffix_automaton.h"
#include "lexicon/page_prefault.h"
#include "lexicon/symbol_coding.h"

namespace tarvo {

class AutomatonBuilder {
 public:
  // Starts a new build of `automaton`: stores the growth step (0 is taken as
  // 1) and the symbol coding, drops every state and creates state 1. The
  // automaton must outlive the builder.
  AutomatonBuilder(SuffixAutomaton& automaton, std::uint32_t growth_step, const SymbolCoding& coding);
  AutomatonBuilder(const AutomatonBuilder&) = delete;
  AutomatonBuilder& operator=(const AutomatonBuilder&) = delete;

  // Makes room for the states of a build from a tree of `nodes` nodes, so
  // that the rows never grow by copying during it. Every state from 2 up
  // copies the rows of a distinct node with children, and a tree's rows
  // hold a slot per node and one per child: fewer than 2 * nodes in all.
  // The room not written stays out of memory (MappedVector). When the
  // system refuses the room, the rows grow as they fill instead.
  void ReserveForTree(std::uint32_t nodes);

  // Stores a new state with copies of the rows (SlotCount(label[0]) entries
  // each; entry 0 of the targets is the word count, filled by CountWords);
  // returns its number. Every target must be an existing state, so each
  // transition leads to a smaller number.
  std::uint32_t AddState(const std::uint8_t* label, const std::uint32_t* targets);

  // True when byte 0 and every slot's code and target agree (word counts are
  // not compared).
  static bool IsSameState(const std::uint8_t* label_a, const std::uint32_t* targets_a,
                          const std::uint8_t* label_b, const std::uint32_t* targets_b);

  // The lowest-numbered state from 2 up with equal rows, or 0.
  std::uint32_t FindState(const std::uint8_t* label, const std::uint32_t* targets) const;

  // The lowest-numbered state from 2 up with equal rows (flag false), or a
  // new state (flag true).
  std::pair<std::uint32_t, bool> FindOrAddState(const std::uint8_t* label, const std::uint32_t* targets);

  // The steps that complete the automaton once every state is added, in the
  // order Finish takes them.
  // Trims the row arrays to exactly count entries.
  void ShrinkToCount();
  // Fills the word counts (entry 0 of the target rows) from the start state down.
  void CountWords();
  // Fills the suffix counts from state 1 up.
  void CountSuffixes();
  void Finish() {
    // No state is looked up any more: the indexes go before the rows are copied.
    index_ = StateIndex();
    single_index_ = SingleTransitionIndex();
    ShrinkToCount();
    CountWords();
    CountSuffixes();
  }

 private:
  SuffixAutomaton& automaton_;
  StateIndex index_;                     // states with no or several transitions
  SingleTransitionIndex single_index_;  // states with one
  // The automaton's rows grow state by state: the pages past their ends
  // are brought in a window at a time rather than faulted one by one.
  PrefaultAhead row_start_ahead_;
  PrefaultAhead labels_ahead_;
  PrefaultAhead targets_ahead_;
};

}  // namespace tarvo
