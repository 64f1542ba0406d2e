#include "lexicon/background_prefault.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include "lexicon/large_block_allocator.h"

namespace tarvo {
namespace {

// How many of the block's whole pages are in memory.
std::size_t ResidentPages(const void* block, std::size_t bytes) {
  const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto start = reinterpret_cast<std::uintptr_t>(block);
  const std::uintptr_t begin = (start + page - 1) / page * page;
  const std::uintptr_t end = (start + bytes) / page * page;
  std::vector<unsigned char> in_core((end - begin) / page);
  if (::mincore(reinterpret_cast<void*>(begin), end - begin, in_core.data()) != 0) return 0;
  std::size_t resident = 0;
  for (const unsigned char flags : in_core) resident += flags & 1;
  return resident;
}

TEST(BackgroundPrefault, KeepsWhatTheCallerWritesMeanwhile) {
  // 24 MiB, a mapped block: its pages come in while the loop writes it from
  // the end, as the automaton build does; the first entry is written before.
  const std::size_t count = std::size_t{6} << 20;
  UninitializedLargeVector<std::uint32_t> values(count);
  values[0] = 7;
  {
    BackgroundPrefault prefault(values.data(), count * sizeof(std::uint32_t));
    for (std::size_t i = count; i-- > 1;) values[i] = static_cast<std::uint32_t>(i * 2654435761u);
  }
  std::size_t wrong = values[0] == 7 ? 0 : 1;
  for (std::size_t i = 1; i < count; ++i) wrong += values[i] != static_cast<std::uint32_t>(i * 2654435761u);
  EXPECT_EQ(wrong, 0u);
}

// True when the kernel can bring pages in ahead; tried on a page of its own.
bool KernelBringsPagesIn() {
#ifdef MADV_POPULATE_WRITE
  void* page = ::mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (page == MAP_FAILED) return false;
  const bool brought_in = ::madvise(page, 4096, MADV_POPULATE_WRITE) == 0;
  ::munmap(page, 4096);
  return brought_in;
#else
  return false;
#endif
}

TEST(BackgroundPrefault, BringsEveryPageOfALargeBlockIn) {
  if (!KernelBringsPagesIn()) GTEST_SKIP() << "this system cannot bring pages in ahead";
  const std::size_t bytes = (std::size_t{9} << 20) + 123;  // not a whole number of huge pages
  UninitializedLargeVector<char> block(bytes);
  { BackgroundPrefault prefault(block.data(), bytes); }
  EXPECT_EQ(ResidentPages(block.data(), bytes), bytes / static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)));
}

}  // namespace
}  // namespace tarvo
