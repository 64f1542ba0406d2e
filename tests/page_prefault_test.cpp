#include "lexicon/page_prefault.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include "lexicon/large_block_allocator.h"

namespace tarvo {
namespace {

const std::size_t kPage = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));

// How many of the whole pages of [block, block + bytes) there are, and how
// many of them are in memory.
struct Pages {
  std::size_t whole = 0;
  std::size_t resident = 0;
};
Pages PagesOf(const void* block, std::size_t bytes) {
  const auto start = reinterpret_cast<std::uintptr_t>(block);
  const std::uintptr_t begin = (start + kPage - 1) / kPage * kPage;
  const std::uintptr_t end = (start + bytes) / kPage * kPage;
  Pages pages;
  if (end <= begin) return pages;
  std::vector<unsigned char> in_core((end - begin) / kPage);
  if (::mincore(reinterpret_cast<void*>(begin), end - begin, in_core.data()) != 0) return pages;
  pages.whole = in_core.size();
  for (const unsigned char flags : in_core) pages.resident += flags & 1;
  return pages;
}

// True when the kernel can bring pages in ahead; tried on a page of its own.
bool KernelBringsPagesIn() {
#ifdef MADV_POPULATE_WRITE
  void* page = ::mmap(nullptr, kPage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (page == MAP_FAILED) return false;
  const bool brought_in = ::madvise(page, kPage, MADV_POPULATE_WRITE) == 0;
  ::munmap(page, kPage);
  return brought_in;
#else
  return false;
#endif
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

TEST(BackgroundPrefault, BringsEveryPageOfALargeBlockIn) {
  if (!KernelBringsPagesIn()) GTEST_SKIP() << "this system cannot bring pages in ahead";
  const std::size_t bytes = (std::size_t{9} << 20) + 123;  // not a whole number of huge pages
  UninitializedLargeVector<char> block(bytes);
  { BackgroundPrefault prefault(block.data(), bytes); }
  const Pages pages = PagesOf(block.data(), bytes);
  EXPECT_EQ(pages.whole, bytes / kPage);
  EXPECT_EQ(pages.resident, pages.whole);
}

// A vector grown element by element has the pages just past its end in
// memory, and no more than a window of them: the room reserved beyond stays
// out, so that bringing pages in costs no memory. That holds in the room
// reserved at first and in each block the vector moves to as it grows.
// (Ordinary heap blocks: no huge pages, which would bring in 2 MiB at once.)
TEST(PrefaultAhead, KeepsAWindowPastAGrowingVectorsEndInMemory) {
  if (!KernelBringsPagesIn()) GTEST_SKIP() << "this system cannot bring pages in ahead";
  for (const std::size_t reserved : {std::size_t{8} << 20, std::size_t{64} << 10}) {
    std::vector<char> v;
    v.reserve(reserved);
    PrefaultAhead ahead;
    for (std::size_t i = 0; i < (std::size_t{1} << 20) + 12345; ++i) {
      v.push_back('x');
      ahead.After(v);
    }
    const std::size_t room = v.capacity() - v.size();
    const Pages next = PagesOf(v.data() + v.size(), std::min<std::size_t>(room, std::size_t{32} << 10));
    EXPECT_GT(next.whole, 0u) << reserved;
    EXPECT_EQ(next.resident, next.whole) << reserved;
    if (room > (std::size_t{2} << 20)) {
      EXPECT_EQ(PagesOf(v.data() + v.size() + (std::size_t{1} << 20), room - (std::size_t{1} << 20)).resident, 0u);
    }
  }
}

// A vector grown a block at a time has each block's pages in memory before
// the block is written, however much larger than the window it is, and the
// room far past its end stays out. (A fresh mapping in ordinary pages: a
// block from the heap may have pages in memory from earlier use.)
TEST(PrefaultAhead, BringsABlocksPagesInBeforeItIsWritten) {
  if (!KernelBringsPagesIn()) GTEST_SKIP() << "this system cannot bring pages in ahead";
  MappedVector<char> v;
  v.reserve(std::size_t{8} << 20);
  PrefaultAhead ahead;
  for (const std::size_t block : {std::size_t{100}, std::size_t{300} << 10, std::size_t{5000}, std::size_t{1} << 20}) {
    ahead.Before(v, block);
    const Pages pages = PagesOf(v.data() + v.size(), block);
    EXPECT_EQ(pages.resident, pages.whole) << block;
    v.resize(v.size() + block, 'x');
  }
  const std::size_t far = std::size_t{1} << 20;
  EXPECT_EQ(PagesOf(v.data() + v.size() + far, v.capacity() - v.size() - far).resident, 0u);
}

// A large array that grows is copied a piece at a time, each piece of the
// old block given back once copied: every element arrives, whatever piece
// it was in, and the room past them in the new block stays out of memory.
TEST(Reallocate, CopiesEveryElementAndNoneOfTheRoom) {
  // Over 9 MiB, in huge pages: four whole pieces of 2 MiB and a short one.
  const std::size_t count = (std::size_t{9} << 20) / sizeof(std::uint32_t) + 3;
  UninitializedLargeVector<std::uint32_t> values(count);
  for (std::size_t i = 0; i < count; ++i) values[i] = static_cast<std::uint32_t>(i * 2654435761u);
  Reallocate(values, 4 * count);
  ASSERT_EQ(values.size(), count);
  EXPECT_GE(values.capacity(), 4 * count);
  std::size_t wrong = 0;
  for (std::size_t i = 0; i < count; ++i) wrong += values[i] != static_cast<std::uint32_t>(i * 2654435761u);
  EXPECT_EQ(wrong, 0u);
  // Past the huge page that holds the last element.
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  const auto end = reinterpret_cast<std::uintptr_t>(values.data() + count);
  const std::uintptr_t room = (end + kHugePage - 1) / kHugePage * kHugePage;
  const auto capacity_end = reinterpret_cast<std::uintptr_t>(values.data() + values.capacity());
  EXPECT_EQ(PagesOf(reinterpret_cast<const void*>(room), capacity_end - room).resident, 0u);

  // A small array, from the heap, in one piece.
  LargeVector<std::uint8_t> bytes(1000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  Reallocate(bytes, 5000);
  ASSERT_EQ(bytes.size(), 1000u);
  for (std::size_t i = 0; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], static_cast<std::uint8_t>(i * 7)) << i;
}

// Giving back a vector's room leaves every element as it was and in memory,
// and takes every whole page past them out of memory, in ordinary pages and
// in a block of huge pages alike: the huge page the elements end in too.
template <typename Vector>
void ExpectRoomGivenBack(Vector& v, std::size_t size) {
  v.resize(size);
  PrefaultPages(v.data(), v.capacity());
  for (std::size_t i = 0; i < size; ++i) v[i] = static_cast<char>(i * 31);
  ReleaseRoom(v);
  ASSERT_EQ(v.size(), size);
  std::size_t wrong = 0;
  for (std::size_t i = 0; i < size; ++i) wrong += v[i] != static_cast<char>(i * 31);
  EXPECT_EQ(wrong, 0u) << size;
  const Pages elements = PagesOf(v.data(), size);
  EXPECT_EQ(elements.resident, elements.whole) << size;
  const Pages room = PagesOf(v.data() + size, v.capacity() - size);
  EXPECT_GT(room.whole, 0u) << size;
  EXPECT_EQ(room.resident, 0u) << size;
}

TEST(ReleaseRoom, GivesBackThePagesPastTheElementsOnly) {
  if (!KernelBringsPagesIn()) GTEST_SKIP() << "this system cannot bring pages in ahead";
  UninitializedLargeVector<char> huge;
  huge.reserve(std::size_t{10} << 20);
  ExpectRoomGivenBack(huge, (std::size_t{3} << 20) + 1234);
  MappedVector<char> ordinary;
  ordinary.reserve(std::size_t{8} << 20);
  ExpectRoomGivenBack(ordinary, (std::size_t{300} << 10) + 5);
}

}  // namespace
}  // namespace tarvo
