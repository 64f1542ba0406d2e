// SingleTransitionIndex: finds the lowest-numbered state with exactly one
// transition, given its final flag, the transition's code and its target.
//
// Most nodes of a word tree have one child, and the minimising build looks
// every one of them up. Such a state's rows are three small values, so the
// index keeps one table per code, whose slots hold the rest of the rows
// beside the state: a lookup reads one slot or a few neighbours, not the
// rows of each state it meets on the way. Only the first state added with
// given rows is kept, so a lookup returns the lowest-numbered.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "lexicon/large_block_allocator.h"

namespace tarvo {

class SingleTransitionIndex {
 public:
  // The first state added with these rows, or 0.
  std::uint32_t Find(bool final, std::uint8_t code, std::uint32_t target) const;

  // Records `state` with these rows unless a state with equal rows is
  // already recorded. Targets and states are below 2^31, as node numbers.
  void Add(bool final, std::uint8_t code, std::uint32_t target, std::uint32_t state);

 private:
  // Open addressing: a slot holds the target and final flag in its high
  // half, the state in its low half; 0 is an empty slot.
  struct Table {
    MappedVector<std::uint64_t> slots;
    unsigned shift = 64;  // 64 - log2(slots.size())
    std::size_t used = 0;

    // The slot that holds `key`, or the empty slot where it would go.
    std::size_t SlotFor(std::uint32_t key) const;
    void Grow();
  };

  std::array<Table, 256> tables_;
};

}  // namespace tarvo
