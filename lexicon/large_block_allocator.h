// An allocator for the large arrays of the word tree and the automaton build.
//
// Blocks of 128 KiB and more are mapped from the system, so that a freed
// block leaves memory at once. From the heap, it would stay in memory
// whenever the C library has raised its own threshold for mapping blocks,
// as it does after freeing large ones, and whenever the blocks allocated
// after it are larger and cannot take its place. Blocks of 4 MiB and more
// are aligned to 2 MiB and offered to the kernel as candidates for
// transparent huge pages: a tree of millions of nodes then costs a few
// hundred page faults instead of tens of thousands, which is a large share
// of the time to open a big word list. Smaller blocks come from the
// ordinary heap. MappedVector's blocks are all in ordinary pages (see there).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include <sys/mman.h>

#include "lexicon/heap_replaced.h"
#include "lexicon/page_prefault.h"
#include "lexicon/pages.h"

namespace tarvo {

inline constexpr std::size_t kMappedBlockBytes = std::size_t{128} << 10;
inline constexpr std::size_t kLargeBlockBytes = std::size_t{4} << 20;

// kHugePages: whether blocks of kLargeBlockBytes and more are offered for
// huge pages.
template <typename T, bool kHugePages = true>
class LargeBlockAllocator {
 public:
  using value_type = T;
  template <typename U>
  struct rebind {
    using other = LargeBlockAllocator<U, kHugePages>;
  };

  LargeBlockAllocator() = default;
  template <typename U>
  LargeBlockAllocator(const LargeBlockAllocator<U, kHugePages>&) {}

  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    const std::size_t bytes = n * sizeof(T);
    if (bytes < kMappedFrom) {
      void* p = std::malloc(bytes);
      if (p == nullptr) throw std::bad_alloc();
      return static_cast<T*>(p);
    }
    if (bytes < kHugePagesFrom) {  // in ordinary pages
      void* mapped = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
      if (mapped == MAP_FAILED) throw std::bad_alloc();
      return static_cast<T*>(mapped);
    }
    // Mapped straight from the system, so that a freed block leaves the
    // process at once instead of staying in the heap; mapped one huge page
    // larger than needed, then cut to a huge page boundary.
    const std::size_t rounded = Rounded(bytes);
    void* mapped = ::mmap(nullptr, rounded + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
    if (aligned > start) ::munmap(mapped, aligned - start);
    if (const std::size_t tail = kHugePage - (aligned - start); tail > 0) {
      ::munmap(reinterpret_cast<void*>(aligned + rounded), tail);
    }
    ::madvise(reinterpret_cast<void*>(aligned), rounded, MADV_HUGEPAGE);
    return reinterpret_cast<T*>(aligned);
  }

  void deallocate(T* p, std::size_t n) {
    const std::size_t bytes = n * sizeof(T);
    if (bytes < kMappedFrom) std::free(p);
    else if (bytes < kHugePagesFrom) ::munmap(p, bytes);
    else ::munmap(p, Rounded(bytes));
  }

  template <typename U>
  bool operator==(const LargeBlockAllocator<U, kHugePages>&) const { return true; }

  // Gives the memory of the first `count` elements of the block p of n
  // elements back to the system, in whole huge pages, when the block is
  // mapped in huge pages (see ReleaseLeadingElements). Giving back part of
  // a huge page would make the kernel split it, which costs more than the
  // memory saved.
  static void ReleaseLeading(T* p, std::size_t n, std::size_t count) {
    if (n * sizeof(T) < kHugePagesFrom) return;
    if (const std::size_t bytes = count * sizeof(T) / kHugePage * kHugePage; bytes > 0) {
      ::madvise(p, bytes, MADV_DONTNEED);
    }
  }

  // Gives the whole pages of the mapped block p of n elements past its
  // first `size` elements back to the system. The huge page the last of
  // them lies in is split: done once per array, that costs less than the
  // memory kept.
  static void ReleaseRoom(T* p, std::size_t n, std::size_t size) {
    const std::size_t bytes = n * sizeof(T);
    if (bytes < kMappedFrom) return;
    const std::size_t mapped = bytes < kHugePagesFrom ? PageBefore(bytes) : Rounded(bytes);
    const std::uintptr_t from = PageAfter(p + size);
    const std::uintptr_t to = reinterpret_cast<std::uintptr_t>(p) + mapped;
    if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
  }

  // Gives the whole pages of the block p of n elements back to the system
  // when the block comes from the heap, which is about to free it (see
  // FreeGivingBack); the heap's records at its ends stay. A freed mapped
  // block leaves memory anyway, and a heap that a sanitizer replaces may
  // keep records of its own within the block.
  static void GiveBackHeapPages(T* p, std::size_t n) {
#ifndef TARVO_HEAP_REPLACED
    const std::size_t bytes = n * sizeof(T);
    if (bytes >= kMappedFrom) return;
    constexpr std::uintptr_t kRecords = 64;  // what free writes at a block's start
    const auto start = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t from = PageAfter(start + kRecords);
    const std::uintptr_t to = PageBefore(start + bytes);
    if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
#else
    static_cast<void>(p);
    static_cast<void>(n);
#endif
  }

 private:
  static constexpr std::size_t kHugePage = std::size_t{2} << 20;
  static constexpr std::size_t kHugePagesFrom = kHugePages ? kLargeBlockBytes : SIZE_MAX;
  // A sanitizer that replaces the heap checks the blocks there only.
#ifdef TARVO_HEAP_REPLACED
  static constexpr std::size_t kMappedFrom = kLargeBlockBytes;
#else
  static constexpr std::size_t kMappedFrom = kMappedBlockBytes;
#endif
  static std::size_t Rounded(std::size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }
};

template <typename T>
using LargeVector = std::vector<T, LargeBlockAllocator<T>>;

// For arrays with room reserved far ahead of their elements: their blocks
// are all in ordinary pages, so that the room comes into memory only a page
// at a time as it is written; a huge page would bring in 2 MiB at the first
// write.
template <typename T>
using MappedVector = std::vector<T, LargeBlockAllocator<T, false>>;

// Lets the system take back the memory of a vector's first `count`
// elements, which must not be read again, when the vector lies in a mapped
// block: in whole huge pages, so up to one of them may stay. Lets an array
// that is read once from front to back shrink while it is read.
template <typename T, typename Allocator>
void ReleaseLeadingElements(std::vector<T, Allocator>& v, std::size_t count) {
  Allocator::ReleaseLeading(v.data(), v.capacity(), std::min(count, v.size()));
}

// Lets the system take back the pages of a vector's room past its
// elements, when the vector lies in a mapped block: room brought in ahead
// of elements that never came. Elements added later find zeroed pages.
template <typename T, typename Allocator>
void ReleaseRoom(std::vector<T, Allocator>& v) {
  Allocator::ReleaseRoom(v.data(), v.capacity(), v.size());
}

// Frees a vector's memory, giving its pages back to the system at once even
// when they come from the heap. For blocks the heap would not soon hand out
// again: one allocated on another thread stays in that thread's heap once
// freed, unused but in memory, until that thread allocates again.
template <typename T, typename Allocator>
void FreeGivingBack(std::vector<T, Allocator>& v) {
  Allocator::GiveBackHeapPages(v.data(), v.capacity());
  std::vector<T, Allocator>().swap(v);
}

// Gives a vector of trivially copyable elements room for `capacity`
// elements (at least its size). std::vector moves its elements one at a
// time through allocators like these; this copies them in large pieces,
// and gives each piece of a block in huge pages back to the system once
// it is copied, so that a large array that grows is never in memory twice
// over, old and new copy, but for one piece. In a mapped block, each
// piece's pages are brought in at once before it is written, rather than
// faulted one by one (see page_prefault.h); the new vector grows a piece
// at a time, so that an allocator that clears new elements clears only
// pages already brought in.
template <typename T, typename Allocator>
void Reallocate(std::vector<T, Allocator>& v, std::size_t capacity) {
  static_assert(std::is_trivially_copyable_v<T>);
  std::vector<T, Allocator> moved;
  moved.reserve(std::max(capacity, v.size()));
  const bool mapped = moved.capacity() * sizeof(T) >= kMappedBlockBytes;
  constexpr std::size_t kPiece = std::max<std::size_t>(1, (std::size_t{2} << 20) / sizeof(T));
  for (std::size_t copied = 0; copied < v.size();) {
    const std::size_t count = std::min(kPiece, v.size() - copied);
    if (mapped) PrefaultPages(moved.data() + copied, count * sizeof(T));
    moved.resize(copied + count);
    std::memcpy(moved.data() + copied, v.data() + copied, count * sizeof(T));
    copied += count;
    ReleaseLeadingElements(v, copied);
  }
  v.swap(moved);
}

// Trims a vector's room to its size, through Reallocate.
template <typename T, typename Allocator>
void ShrinkToFit(std::vector<T, Allocator>& v) {
  if (v.capacity() > v.size()) Reallocate(v, v.size());
}

// Makes room in v for at least `size` elements, through Reallocate, at
// least doubling the room when it must grow, so that an array grown an
// element or a block at a time is copied a few times only.
template <typename T, typename Allocator>
void ReserveDoubling(std::vector<T, Allocator>& v, std::size_t size) {
  if (size > v.capacity()) Reallocate(v, std::max(size, 2 * v.capacity()));
}

// As LargeBlockAllocator, but a vector that grows leaves its new elements
// default-initialized, which for numbers means not written at all: the
// pages of a large block then stay out of memory until the elements on
// them are written.
template <typename T>
class UninitializedBlockAllocator : public LargeBlockAllocator<T> {
 public:
  template <typename U>
  struct rebind {
    using other = UninitializedBlockAllocator<U>;
  };

  UninitializedBlockAllocator() = default;
  template <typename U>
  UninitializedBlockAllocator(const UninitializedBlockAllocator<U>&) {}

  template <typename U>
  void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

template <typename T>
using UninitializedLargeVector = std::vector<T, UninitializedBlockAllocator<T>>;

}  // namespace tarvo
