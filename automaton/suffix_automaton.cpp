#include "automaton/suffix_automaton.h"

#include <new>

namespace tarvo {

SuffixAutomaton::SuffixAutomaton() = default;

void SuffixAutomaton::Init(std::uint32_t growth_step, const SymbolCoding& coding) {
  // A tree step below 4 gives 0 here; AddState divides by the step.
  growth_step_ = growth_step == 0 ? 1 : growth_step;
  coding_ = coding;
  // State 1, the accepting leaf, is the first row of both pools:
  // label row [129], target row [0].
  labels_.assign(1, kFinalLeafHead);
  targets_.assign(1, 0);
  row_start_.assign(2, 0);
  count_ = 2;
  Reset();
}

void SuffixAutomaton::Reset() {
  // Keep only state 1, which Init creates.
  labels_.resize(1);
  targets_.resize(1);
  row_start_.resize(2);
  index_.Clear();
  const std::uint32_t g = growth_step_;
  capacity_ = g >= 3 ? g : (g == 2 ? 4 : 3);
  count_ = 2;
}

std::uint32_t SuffixAutomaton::AddState(const std::uint8_t* label, const std::uint32_t* targets) {
  const unsigned n = SlotCount(label[0]);
  if (count_ == UINT32_MAX || labels_.size() + n > UINT32_MAX) throw std::bad_alloc();
  const std::uint32_t state = count_;
  row_start_.push_back(static_cast<std::uint32_t>(labels_.size()));
  labels_.insert(labels_.end(), label, label + n);
  targets_.insert(targets_.end(), targets, targets + n);
  ++count_;
  if (count_ % growth_step_ == 0) capacity_ = count_ + growth_step_;
  index_.Add(*this, state, StateIndex::HashRows(label, targets));
  return state;
}

bool SuffixAutomaton::IsSameState(const std::uint8_t* label_a, const std::uint32_t* targets_a,
                                   const std::uint8_t* label_b, const std::uint32_t* targets_b) {
  if (label_a[0] != label_b[0]) return false;
  const unsigned n = SlotCount(label_a[0]);
  for (unsigned i = 1; i < n; ++i) {
    if (label_a[i] != label_b[i] || targets_a[i] != targets_b[i]) return false;
  }
  return true;
}

std::uint32_t SuffixAutomaton::FindState(const std::uint8_t* label,
                                          const std::uint32_t* targets) const {
  return index_.Find(*this, label, targets, StateIndex::HashRows(label, targets));
}

std::pair<std::uint32_t, bool> SuffixAutomaton::FindOrAddState(const std::uint8_t* label,
                                                                const std::uint32_t* targets) {
  if (std::uint32_t found = FindState(label, targets)) return {found, false};
  return {AddState(label, targets), true};
}

void SuffixAutomaton::ShrinkToCount() {
  capacity_ = count_;
  row_start_.shrink_to_fit();
  labels_.shrink_to_fit();
  targets_.shrink_to_fit();
}

void SuffixAutomaton::CountWords() {
  targets_[row_start_[start_state()]] = 1;
  for (std::uint32_t s = start_state(); s >= 2; --s) {
    const std::uint32_t start = row_start_[s];
    const unsigned n = SlotCount(labels_[start]);
    const std::uint32_t words = targets_[start];
    for (unsigned i = 1; i < n; ++i) targets_[row_start_[targets_[start + i]]] += words;
  }
}

void SuffixAutomaton::CountSuffixes() {
  suffix_counts_.assign(count_, 0);
  suffix_counts_[1] = 1;
  for (std::uint32_t s = 2; s < count_; ++s) {
    const std::uint32_t start = row_start_[s];
    const unsigned n = SlotCount(labels_[start]);
    std::uint32_t total = IsFinal(labels_[start]) ? 1 : 0;
    for (unsigned i = 1; i < n; ++i) total += suffix_counts_[targets_[start + i]];
    suffix_counts_[s] = total;
  }
}

}  // namespace tarvo
