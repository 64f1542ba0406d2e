// A list of words in sorted order, each stored as the number of codes it
// shares with the word before, the codes after those, and the word's number
// in the list: a sorted list shares most of every word with the one before,
// so this holds it in a fraction of its size. The words are kept in blocks
// that a reader may free as it passes them.
//
//   SortedWordStream stream;
//   stream.Append(shared, word.substr(shared), number);  // in sorted order
//   SortedWordStream::Reader reader(stream, false);
//   while (reader.Next(shared, rest, number)) ...
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace tarvo {

class SortedWordStream {
 public:
  void Append(std::size_t shared, std::string_view rest, std::uint32_t word);

  class Reader {
   public:
    // With free_passed, each block is freed once it has been read.
    Reader(SortedWordStream& stream, bool free_passed) : stream_(stream), free_passed_(free_passed) {}
    // The next word: codes shared with the word before, the codes after them
    // (valid until the next call) and the word's number. False at the end.
    bool Next(std::size_t& shared, std::string_view& rest, std::uint32_t& word);

   private:
    SortedWordStream& stream_;
    bool free_passed_;
    std::size_t block_ = 0;
    std::size_t offset_ = 0;
  };

 private:
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;
  // Mapped straight from the system, so that a freed block leaves the
  // process at once instead of staying in the heap.
  struct Unmap {
    std::size_t size;
    void operator()(char* data) const;
  };
  struct Block {
    std::unique_ptr<char[], Unmap> data{nullptr, Unmap{0}};
    std::size_t size = 0;
    std::size_t capacity = 0;
  };
  std::vector<Block> blocks_;
};

}  // namespace tarvo
