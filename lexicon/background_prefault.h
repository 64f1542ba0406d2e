// BackgroundPrefault: brings a large block's pages into memory on a thread
// of its own while the calling thread goes on writing the block.
//
// The kernel clears each page of a fresh mapping when it is first touched:
// for a block of tens of megabytes that is tens of milliseconds, spent by
// whichever thread touches the page first. A loop that fills such a block
// while the other processors are idle can leave that clearing to one of
// them. The pages are brought in from the block's end back to its start,
// for loops that write from the end, as the automaton build does.
//
//   UninitializedLargeVector<std::uint32_t> values(count);
//   {
//     BackgroundPrefault prefault(values.data(), values.size() * sizeof(values[0]));
//     for (std::size_t i = count; i-- > 0;) values[i] = ...;
//   }  // waits for the thread
//
// Bringing a page in never changes what the block holds, so the two threads
// need no synchronisation. A block of a few megabytes, a system without the
// means to bring pages in, or one that gives no thread, all leave the
// clearing to the caller, as without this class.
#pragma once

#include <cstddef>
#include <thread>

namespace tarvo {

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
