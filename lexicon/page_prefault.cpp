#include "lexicon/page_prefault.h"

#include <algorithm>
#include <cstdint>
#include <system_error>

#include <sys/mman.h>

#include "lexicon/pages.h"

namespace tarvo {
namespace {

// The background thread brings in a huge page at a time, so that it stays
// ahead of a caller that writes from the end.
constexpr std::uintptr_t kStep = std::uintptr_t{2} << 20;
// How far PrefaultAhead brings pages in beyond a vector's end.
constexpr std::uintptr_t kWindow = std::uintptr_t{64} << 10;
// A smaller block is left to the caller: a thread would cost more than it saves.
constexpr std::size_t kSmallestInBackground = std::size_t{4} << 20;

// False when the kernel cannot do it; it then refuses at once.
bool BringIn(std::uintptr_t begin, std::uintptr_t end) {
#ifdef MADV_POPULATE_WRITE
  return end <= begin || ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE) == 0;
#else
  (void)begin;
  (void)end;
  return false;
#endif
}

void BringInFromTheEnd(std::uintptr_t begin, std::uintptr_t end) {
  while (end > begin) {
    const std::uintptr_t step_begin = end - begin > kStep ? end - kStep : begin;
    if (!BringIn(step_begin, end)) return;
    end = step_begin;
  }
}

}  // namespace

void PrefaultPages(void* block, std::size_t bytes) {
  BringIn(PageAfter(block), PageBefore(static_cast<char*>(block) + bytes));
}

void PrefaultAhead::Advance(const char* block, const char* end, const char* wanted, const char* capacity_end) {
  if (block != block_) {
    // A new block: what the vector holds was copied into it, so it is in.
    block_ = block;
    ready_ = end;
  }
  const std::uintptr_t from = std::max(reinterpret_cast<std::uintptr_t>(ready_), PageAfter(end));
  const std::uintptr_t to = std::max(from, PageAfter(wanted)) + kWindow;
  const auto limit = reinterpret_cast<std::uintptr_t>(capacity_end);
  if (to < limit) {
    BringIn(from, to);
    ready_ = reinterpret_cast<const char*>(to);
  } else {
    // The last window: the room ends within it.
    BringIn(from, std::max(from, PageBefore(capacity_end)));
    ready_ = capacity_end;
  }
}

BackgroundPrefault::BackgroundPrefault(void* block, std::size_t bytes) {
  if (bytes < kSmallestInBackground) return;
  try {
    thread_ = std::thread(BringInFromTheEnd, PageAfter(block), PageBefore(static_cast<char*>(block) + bytes));
  } catch (const std::system_error&) {
    // No thread to spare: the caller's writes bring the pages in.
  }
}

BackgroundPrefault::~BackgroundPrefault() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace tarvo
