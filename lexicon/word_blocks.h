// Reading a word list on a thread of its own: the words come to the
// inserting thread in blocks, so that finding, checking and coding the
// words of one block overlaps with inserting those of the block before.
//
//   ReadInBlocks(
//       [&](WordBlock& block) {  // on the reading thread
//         FillBlock(reader, block, [](std::string_view word, WordBlock& into) {
//           into.Add(word);
//           return true;
//         });
//       },
//       [&](const WordBlock& block) {  // on the calling thread
//         inserter.AddWords(block.codes(), block.lengths());
//         return true;
//       });
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>
#include <vector>

#include "lexicon/assertions.h"
#include "lexicon/large_block_allocator.h"
#include "lexicon/task_pipeline.h"
#include "lexicon/word_copy.h"
#include "lexicon/word_reader.h"

namespace tarvo {

// Words of at most 255 bytes, back to back.
class WordBlock {
 public:
  // Room for 32 bytes a word, left unwritten, so that its pages come into
  // memory only as words fill them: a short list takes a few of them.
  WordBlock() : codes_(kWords * kRoomPerWord), lengths_(kWords) {}

  bool full() const { return words_ >= kWords; }
  std::size_t size() const { return words_; }

  void Clear() {
    used_ = 0;
    words_ = 0;
    position = 0;
    last = false;
  }

  // Called for every word of a list, so always inlined, copy and all (see
  // CopyWordWithin): GCC leaves it a call otherwise.
  [[gnu::always_inline]] void Add(std::string_view word) {
    TARVO_ASSERT(word.size() <= kLongest && !full());
    if (codes_.size() - used_ < word.size()) [[unlikely]] Grow();
    CopyWordWithin(codes_.data() + used_, word.data(), word.size());
    used_ += word.size();
    lengths_[words_++] = static_cast<std::uint8_t>(word.size());
  }

  // The words back to back, and the length of each.
  std::string_view codes() const { return {codes_.data(), used_}; }
  std::span<const std::uint8_t> lengths() const { return {lengths_.data(), words_}; }

  // Calls on_word(word) for each word in turn.
  template <typename OnWord>
  void ForEachWord(OnWord&& on_word) const {
    ForEachPlace([&](std::size_t start, std::size_t length) {
      on_word(std::string_view(codes_.data() + start, length));
    });
  }

  // Turns each word back to front, byte by byte.
  void ReverseWords() {
    ForEachPlace([&](std::size_t start, std::size_t length) {
      std::reverse(codes_.data() + start, codes_.data() + start + length);
    });
  }

  std::uint64_t position = 0;  // how far into the file its words reach
  bool last = false;           // no block follows it

 private:
  // Enough words that handing a block over costs little next to them.
  static constexpr std::size_t kWords = 16 * 1024;
  static constexpr std::size_t kLongest = 255;
  static constexpr std::size_t kRoomPerWord = 32;

  // Calls on_place(start, length) for each word's place in the codes.
  template <typename OnPlace>
  void ForEachPlace(OnPlace&& on_place) const {
    std::size_t start = 0;
    for (std::size_t k = 0; k < words_; ++k) {
      on_place(start, lengths_[k]);
      start += lengths_[k];
    }
  }

  // Doubles the room for codes: for lists of long words only.
  [[gnu::noinline]] void Grow() {
    const std::size_t room = codes_.size();
    codes_.resize(used_);
    Reallocate(codes_, 2 * room);
    codes_.resize(codes_.capacity());
  }

  UninitializedLargeVector<char> codes_;  // room; the first used_ bytes hold the words
  std::size_t used_ = 0;
  std::vector<std::uint8_t> lengths_;  // room for kWords; the first words_ are used
  std::size_t words_ = 0;
};

// Fills an empty block with the reader's next words: read_word(word, block)
// adds what of each word goes in and returns false to stop reading. The
// block is marked last at the end of the file or when read_word stopped.
template <typename ReadWord>
void FillBlock(WordFileReader& reader, WordBlock& block, ReadWord&& read_word) {
  std::string_view word;
  bool more = true;
  while (more && !block.full()) more = reader.Next(word) && read_word(word, block);
  block.position = reader.position();
  block.last = !more;
}

// Blocks that the reading thread may fill ahead of the inserting thread,
// a few megabytes for lists of words of usual lengths.
inline constexpr unsigned kBlocksAhead = 8;

// Calls read(block) on a thread of its own for an empty block, again and
// again, until it marks a block last; calls take(block) on the calling
// thread for each block in turn, while the next are being read. When take
// returns false, reading stops. An exception from either reaches the
// caller once the reading thread has stopped.
template <typename Read, typename Take>
void ReadInBlocks(Read&& read, Take&& take) {
  // Several blocks ahead, so that a block that is slow to read does not
  // leave the inserting thread waiting.
  TaskPipeline pipeline(1, kBlocksAhead);
  std::vector<WordBlock> blocks(pipeline.slots());
  // The reading thread may start the blocks after the last before the
  // calling thread takes it and stops: those stay empty, and read is not
  // called again. One worker, so only it touches `ended`.
  bool ended = false;
  pipeline.Run(
      std::numeric_limits<std::size_t>::max(),
      [&](std::size_t, unsigned slot) {
        WordBlock& block = blocks[slot];
        block.Clear();
        if (ended) {
          block.last = true;
          return;
        }
        read(block);
        ended = block.last;
      },
      [&](std::size_t, unsigned slot) {
        const WordBlock& block = blocks[slot];
        return take(block) && !block.last;
      });
}

}  // namespace tarvo
