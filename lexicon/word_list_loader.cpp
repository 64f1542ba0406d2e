#include "lexicon/word_list_loader.h"

#include <array>
#include <vector>

#include "lexicon/alphabet_order.h"
#include "lexicon/character_codes.h"
#include "lexicon/errors.h"
#include "lexicon/list_order_inserter.h"
#include "lexicon/reading_direction.h"
#include "lexicon/utf8.h"
#include "lexicon/word_blocks.h"
#include "lexicon/word_tree.h"

namespace tarvo {
namespace {

// Reserves the tree's rows for the nodes a regular file is likely to make:
// the nodes made so far, extrapolated to the whole file, each time the part
// read doubles. The estimate follows the words rather than the file size (a
// file of one word repeated reserves next to nothing), and the rows grow
// geometrically past it, so an estimate that was too small costs a copy,
// not a failure. Each reservation adds a quarter to the estimate, so that
// a later estimate a little higher does not copy the whole tree to fresh
// memory; the room reserved and never written costs address space only.
// The first estimate comes early, so that the tree grows in the large
// blocks of its reservation (large_block_allocator.h) rather than in heap
// blocks that it copies as it doubles. The inserter learns how much of the
// file is left, for the words it collects, once half a megabyte was read:
// tens of thousands of words tell well enough how they share out among its
// parts, and each part then grows into room of about its final size rather
// than doubling, which copies the words into fresh memory each time.
class NodeReservation {
 public:
  // position: how far into the file the words inserted so far reach; size:
  // the file's size, 0 when it has none.
  void Check(std::uint64_t position, std::uint64_t size, WordTree& tree, ListOrderInserter& inserter) {
    if (position < next_check_) return;
    next_check_ = position * 2;
    if (size <= position) return;
    if (position >= kFirstHint) inserter.ExpectMoreBytes(size - position);
    const double expected = static_cast<double>(tree.node_count()) * static_cast<double>(size) /
                            static_cast<double>(position);
    if (expected <= static_cast<double>(reserved_)) return;
    reserved_ = static_cast<std::uint64_t>(expected * 1.25);
    tree.ReserveNodes(reserved_ - tree.node_count());
  }

 private:
  static constexpr std::uint64_t kFirstHint = std::uint64_t{512} << 10;
  std::uint64_t next_check_ = std::uint64_t{256} << 10;
  std::uint64_t reserved_ = 0;  // nodes the tree has room for
};

// The distinct characters of the valid UTF-8 words, for the message that
// says a list has too many of them.
class DistinctCharacters {
 public:
  void Add(std::string_view word) {
    for (std::size_t pos = 0; pos < word.size();) {
      const std::size_t length = Utf8SequenceLength(word, pos);
      const std::uint32_t point = DecodeUtf8(word, pos, length);
      if (!seen_[point]) {
        seen_[point] = true;
        ++count_;
      }
      pos += length;
    }
  }
  std::size_t count() const { return count_; }

 private:
  std::vector<bool> seen_ = std::vector<bool>(0x110000);
  std::size_t count_ = 0;
};

// Adds how often each byte value occurs in `bytes` to `occurrences`. Four
// tables take turns, so that the count of a byte does not wait for the
// count of the same byte just before it, as it would in one table.
void CountBytes(std::string_view bytes, std::array<std::uint64_t, 256>& occurrences) {
  std::array<std::array<std::uint64_t, 256>, 4> counts{};
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t i = 0;
  for (; i + 4 <= bytes.size(); i += 4) {
    ++counts[0][data[i]];
    ++counts[1][data[i + 1]];
    ++counts[2][data[i + 2]];
    ++counts[3][data[i + 3]];
  }
  for (; i < bytes.size(); ++i) ++counts[0][data[i]];
  for (unsigned byte = 0; byte < 256; ++byte) {
    occurrences[byte] += counts[0][byte] + counts[1][byte] + counts[2][byte] + counts[3][byte];
  }
}

// Counts the words of a block that are not valid UTF-8 into not_utf8, and
// gives the others to `distinct`, if any. One by one only when needed:
// the words back to back are valid UTF-8, and none of them starts with a
// continuation byte, exactly when every word is valid, since a sequence
// running across the start of a word would go on with that word's first
// byte. Checked whole, a block costs no branch at the end of each word.
void CheckUtf8(const WordBlock& block, std::uint64_t& not_utf8, DistinctCharacters* distinct) {
  if (distinct == nullptr && IsValidUtf8(block.codes())) {
    bool starts_sequences = true;
    block.ForEachWord([&](std::string_view word) {
      starts_sequences &= word.empty() || (static_cast<unsigned char>(word[0]) & 0xc0) != 0x80;
    });
    if (starts_sequences) return;
  }
  block.ForEachWord([&](std::string_view word) {
    if (!IsValidUtf8(word)) ++not_utf8;
    else if (distinct != nullptr) distinct->Add(word);
  });
}

// Reads the words on a thread of its own (see word_blocks.h): read_word(word,
// block) checks each word found and adds what goes into the tree to the
// block, or returns false to stop reading; block_read(block) then sees each
// block filled, still on the reading thread; the calling thread inserts the
// words.
template <typename ReadWord, typename BlockRead>
void ReadAndInsert(WordFileReader& reader, WordTree& tree, ListOrderInserter& inserter, ReadWord&& read_word,
                   BlockRead&& block_read) {
  NodeReservation reservation;
  const std::uint64_t file_size = reader.file_size();
  ReadInBlocks(
      [&](WordBlock& block) {
        FillBlock(reader, block, read_word);
        block_read(block);
      },
      [&](const WordBlock& block) {
        inserter.AddWords(block.codes(), block.lengths());
        reservation.Check(block.position, file_size, tree, inserter);
        return true;
      });
}

// Inserts the words still collected, after recoding them and the tree to
// the list's own coding.
void FinishPass(const WordFileReader& reader, WordTree& tree, ListOrderInserter& inserter, LoadedWordList& loaded,
                const SymbolCoding& coding, const SymbolTable& new_code_of) {
  loaded.stats.words_refused = inserter.FinishRecoded(coding, new_code_of).size();
  loaded.stats.long_tokens_skipped = reader.long_tokens_skipped();
  loaded.error = reader.error();
  if (!loaded.error && tree.reached_limit()) loaded.error = EngineError::kTooManyNodes;
  tree.TrimCapacity();
}

// Every word under its byte values as provisional codes (reversed when the
// words are read backwards), then the tree recoded to the byte order of the
// list.
void ReadAsBytes(WordFileReader& reader, WordTree& tree, LoadedWordList& loaded, ReadingDirection direction,
                 DistinctCharacters* distinct) {
  std::array<std::uint64_t, 256> occurrences{};
  ListOrderInserter inserter(tree);
  WordListStats& stats = loaded.stats;
  ReadAndInsert(
      reader, tree, inserter,
      [](std::string_view word, WordBlock& block) {
        block.Add(word);
        return true;
      },
      [&](WordBlock& block) {
        stats.words += block.size();
        CountBytes(block.codes(), occurrences);
        CheckUtf8(block, stats.words_not_utf8, distinct);
        if (direction == ReadingDirection::kBackwards) block.ReverseWords();
      });
  const SymbolTable order = AlphabetOrder::OrderFromCounts(occurrences);
  SymbolCoding coding(order);
  coding.set_direction(direction);
  FinishPass(reader, tree, inserter, loaded, coding, order);
}

// Every word under the codes its characters get as they first appear
// (reversed character by character when the words are read backwards),
// then the tree recoded to the list's character order; stops at the first
// word that cannot be coded.
CharacterCodes::Result ReadAsCharacters(WordFileReader& reader, WordTree& tree, CharacterCodes& characters,
                                        LoadedWordList& loaded, ReadingDirection direction) {
  ListOrderInserter inserter(tree);
  std::string codes;
  CharacterCodes::Result result = CharacterCodes::Result::kCoded;
  ReadAndInsert(
      reader, tree, inserter,
      [&](std::string_view word, WordBlock& block) {
        ++loaded.stats.words;
        codes.clear();
        result = characters.Encode(word, codes);
        if (result != CharacterCodes::Result::kCoded) return false;
        if (direction == ReadingDirection::kBackwards) ReverseCodes(codes);
        block.Add(codes);
        return true;
      },
      [](WordBlock&) {});
  if (result != CharacterCodes::Result::kCoded) return result;
  SymbolTable new_code_of;
  SymbolCoding coding = characters.FinalCoding(new_code_of);
  coding.set_direction(direction);
  FinishPass(reader, tree, inserter, loaded, coding, new_code_of);
  loaded.characters = true;
  return CharacterCodes::Result::kCoded;
}

// Reads the words of an open reader into the tree (see LoadWordList).
LoadedWordList LoadWords(WordFileReader& reader, std::uint32_t buffer_size, bool as_characters, WordTree& tree,
                         ReadingDirection direction) {
  LoadedWordList loaded;
  tree.Reset();
  tree.Configure(SymbolCoding(), buffer_size);
  if (!as_characters) {
    ReadAsBytes(reader, tree, loaded, direction, nullptr);
    return loaded;
  }
  CharacterCodes characters;
  const CharacterCodes::Result result = ReadAsCharacters(reader, tree, characters, loaded, direction);
  if (result == CharacterCodes::Result::kCoded) return loaded;
  // The list cannot be read as characters: read it again, as bytes.
  if ((loaded.error = reader.Rewind())) return loaded;
  tree.Reset();
  tree.Configure(SymbolCoding(), buffer_size);
  loaded.stats = {};
  DistinctCharacters distinct;
  ReadAsBytes(reader, tree, loaded, direction, &distinct);
  if (loaded.stats.words_not_utf8 != 0) {
    loaded.byte_mode_reason = std::to_string(loaded.stats.words_not_utf8) + " word(s) are not valid UTF-8";
  } else {
    loaded.byte_mode_reason = "it has " + std::to_string(distinct.count()) +
                              " distinct characters, more than the " + std::to_string(kMaxCodedCharacters) +
                              " that can be coded";
  }
  return loaded;
}

}  // namespace

LoadedWordList LoadWordList(const std::string& path, std::uint32_t buffer_size, bool as_characters,
                            WordTree& tree, ReadingDirection direction) {
  WordFileReader reader;
  const auto replay = as_characters ? WordFileReader::Replay::kKeepStreams : WordFileReader::Replay::kNotNeeded;
  if (const std::error_code error = reader.Open(path, replay)) {
    LoadedWordList failed;
    failed.error = error;
    return failed;
  }
  return LoadWords(reader, buffer_size, as_characters, tree, direction);
}

LoadedWordList LoadWordListText(std::string_view text, std::uint32_t buffer_size, bool as_characters,
                                WordTree& tree, ReadingDirection direction) {
  WordFileReader reader;
  reader.OpenText(text);
  return LoadWords(reader, buffer_size, as_characters, tree, direction);
}

}  // namespace tarvo
