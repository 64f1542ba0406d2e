#include "automaton/automaton_builder.h"

#include <new>

#include "lexicon/assertions.h"
#include "lexicon/label_row.h"
#include "lexicon/page_prefault.h"

namespace tarvo {

AutomatonBuilder::AutomatonBuilder(SuffixAutomaton& automaton, std::uint32_t growth_step,
                                   const SymbolCoding& coding)
    : automaton_(automaton) {
  SuffixAutomaton& a = automaton_;
  // A tree step below 4 gives 0 here; AddState divides by the step.
  a.growth_step_ = growth_step == 0 ? 1 : growth_step;
  a.coding_ = coding;
  // State 1, the accepting leaf, is the first row of both pools:
  // label row [129], target row [0].
  a.labels_.assign(1, kFinalLeafHead);
  a.targets_.assign(1, 0);
  a.row_start_.assign(2, 0);
  a.suffix_counts_.clear();
  const std::uint32_t g = a.growth_step_;
  a.capacity_ = g >= 3 ? g : (g == 2 ? 4 : 3);
  a.count_ = 2;
  index_.Clear();
}

void AutomatonBuilder::ReserveForTree(std::uint32_t nodes) {
  SuffixAutomaton& a = automaton_;
  try {
    a.row_start_.reserve(std::size_t{nodes} + 2);
    a.labels_.reserve(2 * std::size_t{nodes});
    a.targets_.reserve(2 * std::size_t{nodes});
  } catch (const std::bad_alloc&) {
    // A system that counts address space as memory in use may refuse this
    // much; then the rows grow as they fill, as they would without it.
  }
}

std::uint32_t AutomatonBuilder::AddState(const std::uint8_t* label, const std::uint32_t* targets) {
  SuffixAutomaton& a = automaton_;
  const unsigned n = SlotCount(label[0]);
  TARVO_ASSERT(n >= 1);
  // Every transition leads to an existing state, so to a smaller number,
  // and the codes ascend.
  for (unsigned i = 1; i < n; ++i) {
    TARVO_ASSERT(a.IsState(targets[i]));
    TARVO_ASSERT(i == 1 || label[i - 1] < label[i]);
  }
  // Each state from 2 up copies the row of a distinct node of the tree, whose
  // node count and row offsets are bounded (WordTree::kMaxNodes, 32-bit
  // offsets), so the numbers here stay in range.
  TARVO_ASSERT(a.count_ < UINT32_MAX && a.labels_.size() + n <= UINT32_MAX);
  const std::uint32_t state = a.count_;
  a.row_start_.push_back(static_cast<std::uint32_t>(a.labels_.size()));
  a.labels_.insert(a.labels_.end(), label, label + n);
  a.targets_.insert(a.targets_.end(), targets, targets + n);
  row_start_ahead_.After(a.row_start_);
  labels_ahead_.After(a.labels_);
  targets_ahead_.After(a.targets_);
  ++a.count_;
  if (a.count_ % a.growth_step_ == 0) a.capacity_ = a.count_ + a.growth_step_;
  if (n == 2) single_index_.Add(IsFinal(label[0]), label[1], targets[1], state);
  else index_.Add(a, state, StateIndex::HashRows(label, targets));
  return state;
}

bool AutomatonBuilder::IsSameState(const std::uint8_t* label_a, const std::uint32_t* targets_a,
                                   const std::uint8_t* label_b, const std::uint32_t* targets_b) {
  if (label_a[0] != label_b[0]) return false;
  const unsigned n = SlotCount(label_a[0]);
  for (unsigned i = 1; i < n; ++i) {
    if (label_a[i] != label_b[i] || targets_a[i] != targets_b[i]) return false;
  }
  return true;
}

std::uint32_t AutomatonBuilder::FindState(const std::uint8_t* label, const std::uint32_t* targets) const {
  if (SlotCount(label[0]) == 2) return single_index_.Find(IsFinal(label[0]), label[1], targets[1]);
  return index_.Find(automaton_, label, targets, StateIndex::HashRows(label, targets));
}

std::pair<std::uint32_t, bool> AutomatonBuilder::FindOrAddState(const std::uint8_t* label,
                                                                const std::uint32_t* targets) {
  if (std::uint32_t found = FindState(label, targets)) return {found, false};
  return {AddState(label, targets), true};
}

void AutomatonBuilder::ShrinkToCount() {
  SuffixAutomaton& a = automaton_;
  a.capacity_ = a.count_;
  ShrinkToFit(a.row_start_);
  ShrinkToFit(a.labels_);
  ShrinkToFit(a.targets_);
}

void AutomatonBuilder::CountWords() {
  SuffixAutomaton& a = automaton_;
  MappedVector<std::uint32_t>& targets = a.targets_;
  targets[a.row_start_[a.start_state()]] = 1;
  for (std::uint32_t s = a.start_state(); s >= 2; --s) {
    const std::uint32_t start = a.row_start_[s];
    const unsigned n = SlotCount(a.labels_[start]);
    const std::uint32_t words = targets[start];
    for (unsigned i = 1; i < n; ++i) targets[a.row_start_[targets[start + i]]] += words;
  }
}

void AutomatonBuilder::CountSuffixes() {
  SuffixAutomaton& a = automaton_;
  a.suffix_counts_.clear();
  ResizePrefaulted(a.suffix_counts_, a.count_);
  a.suffix_counts_[1] = 1;
  for (std::uint32_t s = 2; s < a.count_; ++s) {
    const std::uint32_t start = a.row_start_[s];
    const unsigned n = SlotCount(a.labels_[start]);
    std::uint32_t total = IsFinal(a.labels_[start]) ? 1 : 0;
    for (unsigned i = 1; i < n; ++i) total += a.suffix_counts_[a.targets_[start + i]];
    a.suffix_counts_[s] = total;
  }
}

}  // namespace tarvo
