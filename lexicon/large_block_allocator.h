// An allocator for the large arrays of the word tree and the automaton build.
//
// Blocks of 4 MiB and more are aligned to 2 MiB and offered to the kernel as
// candidates for transparent huge pages: a tree of millions of nodes then
// costs a few hundred page faults instead of tens of thousands, which is a
// large share of the time to open a big word list. Smaller blocks come from
// the ordinary heap.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>
#include <vector>

#include <sys/mman.h>

namespace tarvo {

template <typename T>
class LargeBlockAllocator {
 public:
  using value_type = T;

  LargeBlockAllocator() = default;
  template <typename U>
  LargeBlockAllocator(const LargeBlockAllocator<U>&) {}

  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    const std::size_t bytes = n * sizeof(T);
    if (bytes < kLargeBlock) {
      void* p = std::malloc(bytes);
      if (p == nullptr) throw std::bad_alloc();
      return static_cast<T*>(p);
    }
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* p = std::aligned_alloc(kHugePage, rounded);
    if (p == nullptr) throw std::bad_alloc();
    ::madvise(p, rounded, MADV_HUGEPAGE);
    return static_cast<T*>(p);
  }

  void deallocate(T* p, std::size_t) { std::free(p); }

  template <typename U>
  bool operator==(const LargeBlockAllocator<U>&) const { return true; }

 private:
  static constexpr std::size_t kHugePage = std::size_t{2} << 20;
  static constexpr std::size_t kLargeBlock = std::size_t{4} << 20;
};

template <typename T>
using LargeVector = std::vector<T, LargeBlockAllocator<T>>;

}  // namespace tarvo
