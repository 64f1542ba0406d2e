// Pooled storage for the rows of the word tree's nodes.
//
// A node of n slots owns a label row of n bytes and a link row of n - 1
// 32-bit child indices (none for a childless node). Both rows sit back to
// back in one byte pool, the links right after the label, so that one
// 32-bit offset per node finds them, a look-up mostly reads one cache line,
// and no node costs a heap allocation of its own. When a node gains a child
// its rows move to a block one slot larger; freed blocks are kept in one
// free list per slot count and reused by the next row of that size.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "lexicon/assertions.h"
#include "lexicon/label_row.h"
#include "lexicon/large_block_allocator.h"

namespace tarvo {

// Read access to a link row: entry i - 1 is the child in label slot i. The
// entries follow a label row of any length, so they may lie at any byte
// address and are copied out rather than read through an int32_t pointer.
class LinkRowView {
 public:
  explicit LinkRowView(const std::uint8_t* first) : first_(first) {}
  std::int32_t operator[](std::size_t i) const {
    std::int32_t child;
    std::memcpy(&child, first_ + i * sizeof child, sizeof child);
    return child;
  }

 private:
  const std::uint8_t* first_;
};

// Stores entry i of the link row starting at `first`.
inline void StoreLink(std::uint8_t* first, std::size_t i, std::int32_t child) {
  std::memcpy(first + i * sizeof child, &child, sizeof child);
}

class NodeRowPool {
 public:
  using Offset = std::uint32_t;

  // The bytes of the rows of a node of n slots.
  static constexpr std::uint64_t RowBytes(unsigned n) { return n + sizeof(std::int32_t) * (n - 1); }

  // Returns the offset of a block for the rows of a node of n slots (1 to
  // kMaxSlotCount).
  Offset Allocate(unsigned n) {
    TARVO_ASSERT(n >= 1 && n <= kMaxSlotCount);
    std::vector<Offset>& free_list = free_[n];
    if (!free_list.empty()) {
      Offset offset = free_list.back();
      free_list.pop_back();
      return offset;
    }
    return Extend(RowBytes(n));
  }

  // Returns the offset of `bytes` new bytes after all the others, for rows
  // the caller places itself; their contents are undefined until written.
  Offset Extend(std::uint64_t bytes) {
    TARVO_ASSERT(HasRoomFor(bytes));  // the tree checks for room first
    const Offset offset = used_;
    used_ += static_cast<Offset>(bytes);
    if (used_ > bytes_.size()) Grow();
    return offset;
  }

  // True when `more` further bytes still get 32-bit offsets (without
  // counting the free blocks that may be reused).
  bool HasRoomFor(std::uint64_t more) const { return used_ + more <= UINT32_MAX; }

  // Gives back the block of a node of n slots.
  void Release(Offset offset, unsigned n) {
    TARVO_ASSERT(n >= 1 && n <= kMaxSlotCount && offset + RowBytes(n) <= used_);
    free_[n].push_back(offset);
  }

  // Makes room for `more` further bytes without moving the pool again.
  // Only the bytes handed out move to the new room: the pool's room past
  // them was never written, and copying it would bring it into memory (a
  // tree loaded with room to spare, then updated with many words, took a
  // fifth more memory for it).
  void Reserve(std::size_t more) {
    if (used_ + more <= bytes_.capacity()) return;
    bytes_.resize(used_);
    Reallocate(bytes_, used_ + more);
  }

  // Gives back the memory of the room past the bytes handed out (see
  // ReleaseRoom in large_block_allocator.h).
  void ReleaseRoom() {
    bytes_.resize(used_);
    tarvo::ReleaseRoom(bytes_);
    bytes_.resize(bytes_.capacity());
  }

  void Clear() {
    bytes_.clear();
    used_ = 0;
    for (auto& free_list : free_) free_list.clear();
  }

  // The label row of the block at `offset`.
  std::uint8_t* labels(Offset offset) { return bytes_.data() + offset; }
  const std::uint8_t* labels(Offset offset) const { return bytes_.data() + offset; }
  // Where the link row of the block at `offset`, of a node of n slots, starts.
  std::uint8_t* links(Offset offset, unsigned n) { return bytes_.data() + offset + n; }
  LinkRowView links(Offset offset, unsigned n) const { return LinkRowView(bytes_.data() + offset + n); }
  // The link row that follows a label row of the pool.
  static LinkRowView LinksAfter(const std::uint8_t* label) { return LinkRowView(label + SlotCount(label[0])); }

 private:
  // Makes the pool as long as its room, and the room at least used_ bytes
  // (growing, it at least doubles).
  void Grow() {
    ReserveDoubling(bytes_, used_);
    bytes_.resize(bytes_.capacity());
  }

  // Left uninitialized as it grows: every byte read was written first, and
  // the pages of rows not written yet stay out of memory.
  UninitializedLargeVector<std::uint8_t> bytes_;
  // The bytes handed out are the first used_ of the pool. The pool is as
  // long as its room, so that handing out a row rarely resizes it.
  Offset used_ = 0;
  std::vector<Offset> free_[kMaxSlotCount + 1];
};

}  // namespace tarvo
