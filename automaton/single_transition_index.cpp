#include "automaton/single_transition_index.h"

#include "lexicon/assertions.h"
#include "lexicon/page_prefault.h"

namespace tarvo {
namespace {

constexpr unsigned kInitialBits = 4;
constexpr std::uint32_t kFinalBit = std::uint32_t{1} << 31;

std::uint32_t KeyOf(bool final, std::uint32_t target) { return target | (final ? kFinalBit : 0); }
std::uint32_t KeyIn(std::uint64_t slot) { return static_cast<std::uint32_t>(slot >> 32); }
std::uint32_t StateIn(std::uint64_t slot) { return static_cast<std::uint32_t>(slot); }

}  // namespace

std::size_t SingleTransitionIndex::Table::SlotFor(std::uint32_t key) const {
  // Multiplicative hashing: the high bits of the product mix every bit of
  // the key. Linear probing from there.
  const std::size_t mask = slots.size() - 1;
  std::size_t i = static_cast<std::size_t>((key * 0x9e3779b97f4a7c15ULL) >> shift);
  while (slots[i] != 0 && KeyIn(slots[i]) != key) i = (i + 1) & mask;
  return i;
}

void SingleTransitionIndex::Table::Grow() {
  MappedVector<std::uint64_t> old;
  ResizePrefaulted(old, slots.empty() ? std::size_t{1} << kInitialBits : slots.size() * 2);
  old.swap(slots);
  shift = old.empty() ? 64 - kInitialBits : shift - 1;
  for (const std::uint64_t slot : old) {
    if (slot != 0) slots[SlotFor(KeyIn(slot))] = slot;
  }
  // A small table lies in the heap among live blocks, where its freed
  // pages would stay in memory, unused, through the build's peak.
  FreeGivingBack(old);
}

std::uint32_t SingleTransitionIndex::Find(bool final, std::uint8_t code, std::uint32_t target) const {
  const Table& table = tables_[code];
  if (table.slots.empty()) return 0;
  return StateIn(table.slots[table.SlotFor(KeyOf(final, target))]);
}

void SingleTransitionIndex::Add(bool final, std::uint8_t code, std::uint32_t target, std::uint32_t state) {
  TARVO_ASSERT(target < kFinalBit && state != 0 && state < kFinalBit);
  Table& table = tables_[code];
  if ((table.used + 1) * 2 > table.slots.size()) table.Grow();
  const std::uint32_t key = KeyOf(final, target);
  std::uint64_t& slot = table.slots[table.SlotFor(key)];
  if (slot != 0) return;  // the first state with these rows stays
  slot = std::uint64_t{key} << 32 | state;
  ++table.used;
}

}  // namespace tarvo
