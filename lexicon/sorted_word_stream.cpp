#include "lexicon/sorted_word_stream.h"

#include <algorithm>
#include <new>

#include <sys/mman.h>

#include "lexicon/assertions.h"

namespace tarvo {
namespace {

// Lengths in 7-bit groups, low group first, the top bit set on all but the
// last: one byte for every length below 128.
constexpr std::size_t kMaxNumberBytes = 10;

char* PutNumber(char* out, std::size_t value) {
  while (value >= 0x80) {
    *out++ = static_cast<char>((value & 0x7f) | 0x80);
    value >>= 7;
  }
  *out++ = static_cast<char>(value);
  return out;
}

const char* GetNumber(const char* in, std::size_t& value) {
  value = 0;
  for (unsigned shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(*in++);
    value |= static_cast<std::size_t>(byte & 0x7f) << shift;
    if ((byte & 0x80) == 0) return in;
  }
}

}  // namespace

void SortedWordStream::Unmap::operator()(char* data) const {
  if (data != nullptr) ::munmap(data, size);
}

void SortedWordStream::Append(std::size_t shared, std::string_view rest, std::uint32_t word) {
  const std::size_t most = 2 * kMaxNumberBytes + rest.size() + sizeof word;
  if (blocks_.empty() || blocks_.back().capacity - blocks_.back().size < most) {
    Block block;
    block.capacity = std::max(kBlockSize, most);
    void* data = ::mmap(nullptr, block.capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (data == MAP_FAILED) throw std::bad_alloc();
    block.data = std::unique_ptr<char[], Unmap>(static_cast<char*>(data), Unmap{block.capacity});
    blocks_.push_back(std::move(block));
  }
  Block& block = blocks_.back();
  char* out = block.data.get() + block.size;
  out = PutNumber(out, shared);
  out = PutNumber(out, rest.size());
  std::memcpy(out, rest.data(), rest.size());
  out += rest.size();
  std::memcpy(out, &word, sizeof word);
  out += sizeof word;
  block.size = static_cast<std::size_t>(out - block.data.get());
}

bool SortedWordStream::Reader::Next(std::size_t& shared, std::string_view& rest, std::uint32_t& word) {
  std::vector<Block>& blocks = stream_.blocks_;
  while (block_ < blocks.size() && offset_ == blocks[block_].size) {
    if (free_passed_) blocks[block_] = Block();
    ++block_;
    offset_ = 0;
  }
  if (block_ == blocks.size()) return false;
  const char* start = blocks[block_].data.get();
  const char* in = GetNumber(start + offset_, shared);
  std::size_t length = 0;
  in = GetNumber(in, length);
  rest = std::string_view(in, length);
  in += length;
  std::memcpy(&word, in, sizeof word);
  in += sizeof word;
  offset_ = static_cast<std::size_t>(in - start);
  TARVO_ASSERT(offset_ <= blocks[block_].size);
  return true;
}

}  // namespace tarvo
