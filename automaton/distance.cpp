// Distance between suffix groups.
#include <algorithm>

#include "automaton/suffix_automaton.h"

namespace tarvo {

// The walk goes over the symbol codes in ascending order. Codes where neither
// state has a transition, or both lead to the same state, change nothing, so
// walking the two sorted label rows side by side visits exactly the codes
// that matter, without unpacking either state. The limit is tested before
// every code but the first (code 0 is always examined), and once it stops
// the walk nothing further is handled.
std::uint32_t SuffixAutomaton::Distance(std::uint32_t first, std::uint32_t second,
                                         std::uint32_t limit) const {
  if (first == second) return 0;
  const std::uint8_t* label_a = LabelRow(first);
  const std::uint8_t* label_b = LabelRow(second);
  const std::uint32_t* targets_a = TargetRow(first);
  const std::uint32_t* targets_b = TargetRow(second);
  const unsigned n_a = SlotCount(label_a[0]);
  const unsigned n_b = SlotCount(label_b[0]);
  std::uint32_t count = IsFinal(label_a[0]) && !IsFinal(label_b[0]) ? 1 : 0;
  unsigned i = 1;
  unsigned j = 1;
  while (i < n_a || j < n_b) {
    const unsigned code_a = i < n_a ? label_a[i] : 256;
    const unsigned code_b = j < n_b ? label_b[j] : 256;
    const unsigned code = std::min(code_a, code_b);
    if (code > 0 && count >= limit) break;
    const std::uint32_t a = code_a == code ? targets_a[i++] : 0;
    const std::uint32_t b = code_b == code ? targets_b[j++] : 0;
    if (a == b || a == 0) continue;
    if (b == 0) {
      count += suffix_counts_[a];
    } else if (count < limit) {
      count += Distance(a, b, limit - count);
    }
  }
  return count;
}

}  // namespace tarvo
