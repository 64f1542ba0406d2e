// The label row: the node encoding shared by the word tree and the automaton.
//
// Byte 0 holds the final flag in bit 7 and the slot count n (children or
// transitions + 1, 1 to 127) in bits 0 to 6; bytes 1 to n - 1 hold the symbol
// codes of the children in strictly ascending order. A row is exactly n bytes.
#pragma once

#include <cstdint>
#include <limits>

namespace tarvo {

inline constexpr std::uint8_t kFinalFlag = 0x80;
inline constexpr std::uint8_t kSlotCountMask = 0x7f;
// Seven bits of slot count: at most 126 children per node.
inline constexpr unsigned kMaxSlotCount = 127;

// Byte 0 of the row of a childless node that is not final, and of a final leaf.
inline constexpr std::uint8_t kEmptyRowHead = 1;
inline constexpr std::uint8_t kFinalLeafHead = kFinalFlag | 1;

// The flag and the count share byte 0 without overlapping, and the count's
// bits hold every slot count up to the maximum.
static_assert((kFinalFlag & kSlotCountMask) == 0 && (kFinalFlag | kSlotCountMask) == 0xff);
static_assert(kMaxSlotCount == kSlotCountMask);
// One code per byte of the row: a row can name every symbol code.
static_assert(std::numeric_limits<std::uint8_t>::max() == 255);

inline unsigned SlotCount(std::uint8_t head) { return head & kSlotCountMask; }
inline bool IsFinal(std::uint8_t head) { return (head & kFinalFlag) != 0; }

}  // namespace tarvo
