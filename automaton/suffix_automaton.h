// SuffixAutomaton: the minimised automaton of a word tree; its states are
// suffix groups, the sets of stems followed by exactly the same endings.
//
// State numbers: 0 means no state, 1 is the accepting leaf state, 2 and up
// are the states made by the build in creation order, and the start state is
// always the last one, count() - 1. Every transition leads to a smaller
// number. Each state has a label row (see label_row.h) and a target row of
// the same length: entry 0 its word count (the number of stems that reach
// it), entry i the target of label slot i. The build (AutomatonBuilder, the
// only writer) also fills the suffix counts: the number of distinct endings
// that complete a word from a state.
//
//   SuffixAutomaton automaton;
//   BuildAutomaton(tree, automaton);  // build_automaton.h
//   std::vector<std::uint32_t> best = automaton.RankMainGroups(settings);
//   std::string label; automaton.GetLabel(best[0], label);
//
// The rows of all states live in two append-only pools in state order; a
// state's label row and target row start at the same offset of their pools.
//
// When the tree held its words backwards (prefix mode, see
// lexicon/reading_direction.h), the automaton's "suffixes" are the words'
// prefixes; every string it hands out (stems, suffixes, labels, new words)
// is in reading order all the same.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "lexicon/assertions.h"
#include "lexicon/label_row.h"
#include "lexicon/large_block_allocator.h"
#include "lexicon/symbol_coding.h"

namespace tarvo {

struct AnalysisSettings;

class SuffixAutomaton {
 public:
  // An automaton without states; BuildAutomaton (build_automaton.h) fills it.
  SuffixAutomaton() = default;

  // --- Reading -------------------------------------------------------------

  std::uint32_t count() const { return count_; }
  // True for the numbers of existing states, 1 to count() - 1.
  bool IsState(std::uint32_t state) const { return state >= 1 && state < count_; }
  std::uint32_t start_state() const { return count_ - 1; }
  std::uint32_t growth_step() const { return growth_step_; }
  // Entries the row arrays are accounted for (grows by the growth step).
  std::uint32_t capacity() const { return capacity_; }
  const SymbolCoding& coding() const { return coding_; }
  const SymbolTable& char_to_code() const { return coding_.char_to_code(); }

  // The rows of a state from 1 to count() - 1.
  const std::uint8_t* LabelRow(std::uint32_t state) const {
    TARVO_ASSERT(IsState(state));
    return labels_.data() + row_start_[state];
  }
  const std::uint32_t* TargetRow(std::uint32_t state) const {
    TARVO_ASSERT(IsState(state));
    return targets_.data() + row_start_[state];
  }
  unsigned SlotCountOf(std::uint32_t state) const { return SlotCount(LabelRow(state)[0]); }
  bool IsFinalState(std::uint32_t state) const { return IsFinal(LabelRow(state)[0]); }
  std::uint32_t WordCount(std::uint32_t state) const { return TargetRow(state)[0]; }
  std::uint32_t SuffixCount(std::uint32_t state) const {
    TARVO_ASSERT(IsState(state) && state < suffix_counts_.size());
    return suffix_counts_[state];
  }
  // Appends the text of a symbol code: a byte, or a character's bytes.
  void AppendSymbol(std::string& text, std::uint8_t code) const { coding_.AppendText(text, code); }

  // --- Ranking -------------------------------------------------------------

  // The main suffix groups, best first: states 2 to count - 2 with more than
  // the minimum words and suffixes, by descending score, at most
  // settings.groups_shown of them. Ties follow from comparing each new double
  // score with the stored 32-bit float scores (see best_scores.h). Only the
  // filled slots are returned (the rest would be 0). O(n log K) for n states
  // and K groups shown.
  std::vector<std::uint32_t> RankMainGroups(const AnalysisSettings& settings) const;

  // --- Suffixes and labels ---------------------------------------------------

  // All suffixes of a group in depth-first symbol code order (the empty
  // suffix first when the group is final): exactly SuffixCount(group) strings.
  std::vector<std::string> GetSuffixes(std::uint32_t group) const;
  // The recursive step: appends the suffixes reachable from `state`, each
  // prefixed by `text` (as held, not yet in reading order).
  void CollectSuffixes(std::uint32_t state, std::string& text, std::vector<std::string>& output) const;
  // The group's suffixes as a label (see LabelOfAffixes), e.g. "-{} -ed -s".
  void GetLabel(std::uint32_t group, std::string& label) const;
  // Affixes in reading order written as a label: separated by spaces, each
  // after a hyphen, "{}" standing for the empty one. For prefixes the
  // hyphen follows each affix instead: "{}- re- un-".
  void LabelOfAffixes(const std::vector<std::string>& affixes, std::string& label) const;

  // --- Words of a group --------------------------------------------------------

  // The stems of a group: exactly WordCount(group) strings, in the order of
  // an upward scan over the states (not sorted; see group_words.cpp).
  std::vector<std::string> GetWords(std::uint32_t group) const;

  // --- Distance --------------------------------------------------------------

  // The number of suffixes that `first` accepts and `second` does not, exact
  // whenever it is below `limit`; otherwise some value from limit up to the
  // true number (the walk stops once the count reaches the limit).
  std::uint32_t Distance(std::uint32_t first, std::uint32_t second, std::uint32_t limit) const;
  // Distance without a limit: always exact.
  std::uint32_t ExactDistance(std::uint32_t first, std::uint32_t second) const {
    return Distance(first, second, UINT32_MAX);
  }

  // --- New words ---------------------------------------------------------------

  // The suffixes that `having` accepts and `lacking` does not: blocks by
  // ascending symbol code, the empty suffix last.
  std::vector<std::string> GetDifferingSuffixes(std::uint32_t lacking, std::uint32_t having) const;
  // Receives one generated word at a time; returns false to stop the walk.
  using WordVisitor = std::function<bool(const std::string& word)>;
  // Hands every stem of `suspicious` joined with every suffix that `main`
  // has and `suspicious` lacks to `visit`, stem-major, until `visit` returns
  // false. Returns false when the walk was stopped. Holds the stems and the
  // suffixes, never the words, so any number of words can be walked.
  bool ForEachGeneratedWord(std::uint32_t suspicious, std::uint32_t main, const WordVisitor& visit) const;
  // The same words in a list.
  std::vector<std::string> GenerateWords(std::uint32_t suspicious, std::uint32_t main) const;
  // How many words ForEachGeneratedWord hands over, without making them.
  std::uint64_t GeneratedWordCount(std::uint32_t suspicious, std::uint32_t main) const;

  // --- Suspicious groups -------------------------------------------------------

  // The states from 2 up that lack exactly `distance` of main's suffixes,
  // ascending. The limit distance + 1 is computed in 32-bit arithmetic, so
  // a distance of 4294967295 finds nothing.
  std::vector<std::uint32_t> FindSuspiciousGroups(std::uint32_t main, std::uint32_t distance) const;
  // Hands the new words of each of the given suspicious groups in turn (as
  // FindSuspiciousGroups lists them) to `visit`, duplicates kept, until
  // `visit` returns false. Returns false when the walk was stopped.
  bool ForEachAutomaticWord(const std::vector<std::uint32_t>& suspicious, std::uint32_t main,
                            const WordVisitor& visit) const;
  // The same words in a list.
  std::vector<std::string> AutomaticWords(const std::vector<std::uint32_t>& suspicious,
                                          std::uint32_t main) const;

 private:
  // The only writer of the fields below.
  friend class AutomatonBuilder;

  std::uint32_t count_ = 0;
  std::uint32_t capacity_ = 1;
  std::uint32_t growth_step_ = 0;
  SymbolCoding coding_;
  MappedVector<std::uint32_t> row_start_;  // per state; entry 0 unused
  MappedVector<std::uint8_t> labels_;
  MappedVector<std::uint32_t> targets_;
  MappedVector<std::uint32_t> suffix_counts_;
  void AppendDifferingSuffixes(std::uint32_t lacking, std::uint32_t having, std::string& prefix,
                               std::vector<std::string>& output) const;
  // Turns affixes collected as held into reading order.
  void ToReadingOrder(std::vector<std::string>& texts) const;
};

}  // namespace tarvo
