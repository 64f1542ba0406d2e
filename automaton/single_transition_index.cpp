#include "automaton/single_transition_index.h"

#include "lexicon/assertions.h"

namespace tarvo {
namespace {

constexpr unsigned kInitialBits = 12;

}  // namespace

std::size_t SingleTransitionIndex::SlotOf(std::uint64_t key) const {
  // Multiplicative hashing: the high bits of the product mix every bit of
  // the key.
  return static_cast<std::size_t>((key * 0x9e3779b97f4a7c15ULL) >> shift_);
}

void SingleTransitionIndex::Clear() {
  slots_.assign(std::size_t{1} << kInitialBits, Slot{});
  shift_ = 64 - kInitialBits;
  used_ = 0;
}

std::uint32_t SingleTransitionIndex::Find(std::uint64_t key) const {
  if (slots_.empty()) return 0;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = SlotOf(key);; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.key == key) return slot.state;
    if (slot.key == 0) return 0;
  }
}

void SingleTransitionIndex::Add(std::uint64_t key, std::uint32_t state) {
  TARVO_ASSERT(key != 0 && state != 0);
  if (slots_.empty()) Clear();
  if ((used_ + 1) * 2 > slots_.size()) Grow();
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = SlotOf(key);
  for (; slots_[i].key != 0; i = (i + 1) & mask) {
    if (slots_[i].key == key) return;
  }
  slots_[i] = {key, state};
  ++used_;
}

void SingleTransitionIndex::Grow() {
  std::vector<Slot> old(slots_.size() * 2);
  old.swap(slots_);
  --shift_;
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.key == 0) continue;
    std::size_t i = SlotOf(slot.key);
    while (slots_[i].key != 0) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

}  // namespace tarvo
