// Bringing the pages of a block into memory before they are written.
//
// The kernel sets up each page of a fresh mapping when it is first touched.
// Touched one by one, every page costs a page fault; on virtual machines a
// fault costs ten times what setting the page up does (about 11 µs against
// under 1 µs per 4 KiB page on the machines we measure on). Pages brought in
// by one call for a whole range cost no fault each. Bringing a page in never
// changes what the block holds.
//
// PrefaultPages brings a range in at once, for memory about to be written
// in full: the spare capacity of a vector reserved to its final size, say.
// BackgroundPrefault does it on a thread of its own while the caller writes
// the block, for large blocks written while other processors are idle; the
// pages are brought in from the block's end back to its start, for loops
// that write from the end, as the automaton build does:
//
//   UninitializedLargeVector<std::uint32_t> values(count);
//   {
//     BackgroundPrefault prefault(values.data(), values.size() * sizeof(values[0]));
//     for (std::size_t i = count; i-- > 0;) values[i] = ...;
//   }  // waits for the thread
//
// PrefaultAhead keeps the pages just past a growing vector's end brought
// in, a window at a time, for a vector that grows element by element into
// room reserved ahead; or, for one that grows a block of elements at a
// time, the pages of the block and a window past it.
//
// A system without the means to bring pages in, or one that gives no thread,
// leaves the pages to be set up as they are touched, as without these.
#pragma once

#include <cstddef>
#include <thread>
#include <vector>

namespace tarvo {

// Brings in the whole pages of [block, block + bytes).
void PrefaultPages(void* block, std::size_t bytes);

// Reserves room for `size` elements in a vector that is about to grow to
// that size, and brings in the pages of the room beyond its elements.
template <typename T, typename Allocator>
void ReservePrefaulted(std::vector<T, Allocator>& v, std::size_t size) {
  v.reserve(size);
  PrefaultPages(v.data() + v.size(), (v.capacity() - v.size()) * sizeof(T));
}

// Resizes a vector that is about to be written in full (an empty one, or
// one whose new elements are), its new pages brought in at once.
template <typename Vector>
void ResizePrefaulted(Vector& v, std::size_t size) {
  ReservePrefaulted(v, size);
  v.resize(size);
}

class PrefaultAhead {
 public:
  // Call after each append to v, always with the same vector.
  template <typename T, typename Allocator>
  void After(const std::vector<T, Allocator>& v) {
    Before(v, 0);
  }
  // Or call before appending `count` elements to v, in room reserved for them.
  template <typename T, typename Allocator>
  void Before(const std::vector<T, Allocator>& v, std::size_t count) {
    const auto* block = reinterpret_cast<const char*>(v.data());
    const auto* end = reinterpret_cast<const char*>(v.data() + v.size());
    const auto* wanted = reinterpret_cast<const char*>(v.data() + v.size() + count);
    if (block == block_ && wanted <= ready_) return;
    Advance(block, end, wanted, reinterpret_cast<const char*>(v.data() + v.capacity()));
  }

 private:
  // Brings in the pages from `end` to `wanted` and a window past them.
  void Advance(const char* block, const char* end, const char* wanted, const char* capacity_end);
  const char* block_ = nullptr;  // where the vector's elements were
  const char* ready_ = nullptr;  // the pages from its end up to here are in
};

class BackgroundPrefault {
 public:
  BackgroundPrefault(void* block, std::size_t bytes);
  ~BackgroundPrefault();
  BackgroundPrefault(const BackgroundPrefault&) = delete;
  BackgroundPrefault& operator=(const BackgroundPrefault&) = delete;

 private:
  std::thread thread_;
};

}  // namespace tarvo
