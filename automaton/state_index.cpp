#include "automaton/state_index.h"

#include "automaton/automaton_builder.h"
#include "lexicon/page_prefault.h"

namespace tarvo {
namespace {

constexpr std::size_t kInitialSlots = 1 << 12;

std::uint64_t Mix(std::uint64_t h) {
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdULL;
  h ^= h >> 33;
  h *= 0xc4ceb9fe1a85ec53ULL;
  h ^= h >> 33;
  return h;
}

// A slot packs the hash's high half and a state number into 64 bits.
static_assert(sizeof(std::uint32_t) * 2 == sizeof(std::uint64_t));

std::uint32_t StateOf(std::uint64_t slot) { return static_cast<std::uint32_t>(slot); }
std::uint32_t TagOf(std::uint64_t hash) { return static_cast<std::uint32_t>(hash >> 32); }

}  // namespace

std::uint64_t StateIndex::HashRows(const std::uint8_t* label, const std::uint32_t* targets) {
  const unsigned n = SlotCount(label[0]);
  std::uint64_t h = label[0];
  for (unsigned i = 1; i < n; ++i) {
    h = (h ^ ((std::uint64_t{label[i]} << 32) | targets[i])) * 0x9e3779b97f4a7c15ULL;
    h ^= h >> 29;
  }
  return Mix(h);
}

void StateIndex::Clear() {
  if (slots_.empty()) slots_.resize(kInitialSlots);
  if (used_ > 0) std::fill(slots_.begin(), slots_.end(), 0);
  used_ = 0;
}

std::uint32_t StateIndex::Find(const SuffixAutomaton& automaton, const std::uint8_t* label,
                               const std::uint32_t* targets, std::uint64_t hash) const {
  if (slots_.empty()) return 0;
  const std::size_t mask = slots_.size() - 1;
  const std::uint32_t tag = TagOf(hash);
  for (std::size_t i = tag & mask;; i = (i + 1) & mask) {
    const std::uint64_t slot = slots_[i];
    const std::uint32_t state = StateOf(slot);
    if (state == 0) return 0;
    if ((slot >> 32) == tag &&
        AutomatonBuilder::IsSameState(label, targets, automaton.LabelRow(state),
                                      automaton.TargetRow(state))) {
      return state;
    }
  }
}

void StateIndex::Add(const SuffixAutomaton& automaton, std::uint32_t state, std::uint64_t hash) {
  if (Find(automaton, automaton.LabelRow(state), automaton.TargetRow(state), hash) != 0) return;
  if ((used_ + 1) * 2 > slots_.size()) Grow();
  Place((std::uint64_t{TagOf(hash)} << 32) | state);
  ++used_;
}

void StateIndex::Place(std::uint64_t slot) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = (slot >> 32) & mask;
  while (StateOf(slots_[i]) != 0) i = (i + 1) & mask;
  slots_[i] = slot;
}

void StateIndex::Grow() {
  MappedVector<std::uint64_t> old;
  old.swap(slots_);
  ResizePrefaulted(slots_, old.empty() ? kInitialSlots : old.size() * 2);
  for (std::uint64_t slot : old) {
    if (StateOf(slot) != 0) Place(slot);
  }
  // Freed in the heap, a small table's pages would stay in memory, unused,
  // through the build's peak.
  FreeGivingBack(old);
}

}  // namespace tarvo
