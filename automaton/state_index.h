// StateIndex: finds the lowest-numbered state whose rows equal given rows.
//
// The minimising build asks, for every tree node with more than one child
// (those with one go to SingleTransitionIndex), whether a state with the
// same label row and targets already exists. An open-addressing hash table
// keyed by the rows answers that in constant time. Only the first state with
// a given pair of rows is kept, so a lookup returns the lowest-numbered one,
// the state a scan in ascending order would find first. Entry 0 of the
// target rows (the word count) is not part of the key.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "lexicon/large_block_allocator.h"

namespace tarvo {

class SuffixAutomaton;

class StateIndex {
 public:
  static std::uint64_t HashRows(const std::uint8_t* label, const std::uint32_t* targets);

  // Empties the index, keeping its memory for the next build.
  void Clear();

  // The first state added with rows equal to the given ones, or 0.
  std::uint32_t Find(const SuffixAutomaton& automaton, const std::uint8_t* label,
                     const std::uint32_t* targets, std::uint64_t hash) const;

  // Records `state` (whose rows hash to `hash`) unless a state with equal
  // rows is already recorded.
  void Add(const SuffixAutomaton& automaton, std::uint32_t state, std::uint64_t hash);

 private:
  void Grow();
  void Place(std::uint64_t slot);

  // Each slot: the high 32 bits of the hash, which also choose the slot's
  // position, and the state number (0 = empty).
  MappedVector<std::uint64_t> slots_;
  std::size_t used_ = 0;
};

}  // namespace tarvo
