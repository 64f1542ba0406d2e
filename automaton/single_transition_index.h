// SingleTransitionIndex: finds the lowest-numbered state with exactly one
// transition, given its head byte (final flag and slot count), the
// transition's code and its target.
//
// Most nodes of a word tree have one child, and the minimising build looks
// every one of them up. Such a state's rows fit in one number, so the table
// holds that number itself: a lookup reads one slot or a few neighbours,
// not the rows of each state it meets on the way. Only the first state
// added with given rows is kept, so a lookup returns the lowest-numbered.
#pragma once

#include <cstdint>
#include <vector>

namespace tarvo {

class SingleTransitionIndex {
 public:
  // The rows of a state with one transition, as one number (never 0).
  static std::uint64_t Key(std::uint8_t head, std::uint8_t code, std::uint32_t target) {
    return std::uint64_t{head} << 40 | std::uint64_t{code} << 32 | target;
  }

  // Empties the index.
  void Clear();

  // The first state added under `key`, or 0.
  std::uint32_t Find(std::uint64_t key) const;

  // Records `state` under `key` unless a state is already recorded there.
  void Add(std::uint64_t key, std::uint32_t state);

 private:
  struct Slot {
    std::uint64_t key = 0;  // 0: empty
    std::uint32_t state = 0;
  };

  std::size_t SlotOf(std::uint64_t key) const;
  void Grow();

  std::vector<Slot> slots_;
  unsigned shift_ = 64;  // 64 - log2(slots_.size())
  std::size_t used_ = 0;
};

}  // namespace tarvo
