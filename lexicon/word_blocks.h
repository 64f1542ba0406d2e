// Reading a word list on a thread of its own: the words come to the
// inserting thread in blocks, so that finding, checking and coding the
// words of one block overlaps with inserting those of the block before.
//
//   ReadInBlocks(
//       [&](WordBlock& block) {  // on the reading thread
//         while (!block.full() && reader.Next(word)) block.Add(word);
//         block.last = !block.full();
//       },
//       [&](const WordBlock& block) {  // on the calling thread
//         inserter.AddWords(block.codes(), block.lengths());
//         return true;
//       });
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/assertions.h"
#include "lexicon/task_pipeline.h"

namespace tarvo {

// Words of at most 255 bytes, back to back.
class WordBlock {
 public:
  // Room for 32 bytes a word, made by the thread that makes the block: the
  // reading thread grows it only for lists of long words, since memory that
  // thread takes stays with its own heap once it is freed.
  WordBlock() {
    codes_.reserve(kWords * kRoomPerWord);
    lengths_.reserve(kWords);
  }

  bool full() const { return lengths_.size() >= kWords; }

  void Clear() {
    codes_.clear();
    lengths_.clear();
    position = 0;
    last = false;
  }

  void Add(std::string_view word) {
    TARVO_ASSERT(word.size() <= kLongest);
    codes_.append(word);
    lengths_.push_back(static_cast<std::uint8_t>(word.size()));
  }

  // The words back to back, and the length of each.
  std::string_view codes() const { return codes_; }
  std::span<const std::uint8_t> lengths() const { return lengths_; }

  std::uint64_t position = 0;  // how far into the file its words reach
  bool last = false;           // no block follows it

 private:
  // Enough words that handing a block over costs little next to them.
  static constexpr std::size_t kWords = 16 * 1024;
  static constexpr std::size_t kLongest = 255;
  static constexpr std::size_t kRoomPerWord = 32;

  std::string codes_;
  std::vector<std::uint8_t> lengths_;
};

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
  pipeline.Run(
      std::numeric_limits<std::size_t>::max(),
      [&](std::size_t, unsigned slot) {
        blocks[slot].Clear();
        read(blocks[slot]);
      },
      [&](std::size_t, unsigned slot) {
        const WordBlock& block = blocks[slot];
        return take(block) && !block.last;
      });
}

}  // namespace tarvo
