#include "lexicon/background_prefault.h"

#include <cstdint>
#include <system_error>

#include <sys/mman.h>

namespace tarvo {
namespace {

constexpr std::size_t kPage = 4096;
// Brought in this much at a time: a huge page, so that the thread stays
// ahead of a caller that writes from the end.
constexpr std::size_t kStep = std::size_t{2} << 20;
// Smaller blocks come from the heap (large_block_allocator.h) and are
// cleared, if at all, in little time.
constexpr std::size_t kSmallest = std::size_t{4} << 20;

void BringInFromTheEnd(std::uintptr_t begin, std::uintptr_t end) {
#ifdef MADV_POPULATE_WRITE
  while (end > begin) {
    const std::uintptr_t step_begin = end - begin > kStep ? end - kStep : begin;
    // A kernel without it refuses at once: the caller then clears the pages.
    if (::madvise(reinterpret_cast<void*>(step_begin), end - step_begin, MADV_POPULATE_WRITE) != 0) return;
    end = step_begin;
  }
#else
  (void)begin;
  (void)end;
#endif
}

}  // namespace

BackgroundPrefault::BackgroundPrefault(void* block, std::size_t bytes) {
  if (bytes < kSmallest) return;
  const auto start = reinterpret_cast<std::uintptr_t>(block);
  const std::uintptr_t begin = (start + kPage - 1) / kPage * kPage;
  const std::uintptr_t end = (start + bytes) / kPage * kPage;
  try {
    thread_ = std::thread(BringInFromTheEnd, begin, end);
  } catch (const std::system_error&) {
    // No thread to spare: the caller clears the pages as it writes them.
  }
}

BackgroundPrefault::~BackgroundPrefault() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace tarvo
