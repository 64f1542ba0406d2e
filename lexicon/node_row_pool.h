// Pooled storage for the rows of the word tree's nodes.
//
// Every node owns a label row of n bytes and a link row of n 32-bit entries
// (n - 1 child indices, or the single unused entry of a childless node, plus
// one spare). Both rows of a node sit at the same offset of two parallel
// pools, so one 32-bit offset per node finds them, and no node costs a heap
// allocation of its own. When a node gains a child its rows move to a block
// one slot larger; freed blocks are kept in one free list per size and
// reused by the next row of that size.
#pragma once

#include <cstdint>
#include <vector>

#include "lexicon/assertions.h"
#include "lexicon/label_row.h"
#include "lexicon/large_block_allocator.h"

namespace tarvo {

class NodeRowPool {
 public:
  using Offset = std::uint32_t;

  // Returns the offset of a block of `size` slots (1 to kMaxSlotCount).
  Offset Allocate(unsigned size) {
    TARVO_ASSERT(size >= 1 && size <= kMaxSlotCount);
    std::vector<Offset>& free_list = free_[size];
    if (!free_list.empty()) {
      Offset offset = free_list.back();
      free_list.pop_back();
      return offset;
    }
    return Extend(size);
  }

  // Returns the offset of `size` new slots after all the others, for rows
  // the caller places itself; their contents are undefined until written.
  Offset Extend(std::uint64_t size) {
    TARVO_ASSERT(HasRoomFor(size));  // the tree checks for room first
    const Offset offset = used_;
    used_ += static_cast<Offset>(size);
    if (used_ > labels_.size()) Grow();
    return offset;
  }

  // True when `more` further slots still get 32-bit offsets (without
  // counting the free blocks that may be reused).
  bool HasRoomFor(std::uint64_t more) const { return used_ + more <= UINT32_MAX; }

  void Release(Offset offset, unsigned size) {
    TARVO_ASSERT(size >= 1 && size <= kMaxSlotCount && offset + size <= used_);
    free_[size].push_back(offset);
  }

  // Makes room for `more` further slots without moving the pools again.
  // Only the slots handed out move to the new room: the pools' room past
  // them was never written, and copying it would bring it into memory (a
  // tree loaded with room to spare, then updated with many words, took a
  // fifth more memory for it).
  void Reserve(std::size_t more) {
    if (used_ + more <= labels_.capacity()) return;
    labels_.resize(used_);
    links_.resize(used_);
    Reallocate(labels_, used_ + more);
    Reallocate(links_, used_ + more);
  }

  void Clear() {
    labels_.clear();
    links_.clear();
    used_ = 0;
    for (auto& free_list : free_) free_list.clear();
  }

  std::uint8_t* labels(Offset offset) { return labels_.data() + offset; }
  const std::uint8_t* labels(Offset offset) const { return labels_.data() + offset; }
  std::int32_t* links(Offset offset) { return links_.data() + offset; }
  const std::int32_t* links(Offset offset) const { return links_.data() + offset; }

 private:
  // Makes the pools as long as their room, and the room at least used_
  // slots (growing, it at least doubles).
  void Grow() {
    ReserveDoubling(labels_, used_);
    ReserveDoubling(links_, used_);
    labels_.resize(labels_.capacity());
    links_.resize(links_.capacity());
  }

  // Left uninitialized as they grow: every entry read was written first,
  // and the pages of slots not written yet stay out of memory.
  UninitializedLargeVector<std::uint8_t> labels_;
  UninitializedLargeVector<std::int32_t> links_;
  // The slots handed out are the first used_ of the pools. The pools are
  // as long as their room, so that handing out a row rarely resizes them.
  Offset used_ = 0;
  std::vector<Offset> free_[kMaxSlotCount + 1];
};

}  // namespace tarvo
