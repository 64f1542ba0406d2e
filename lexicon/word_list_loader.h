// Reading a word list into a word tree in one pass over the file.
//
// The words go into the tree under provisional codes while their bytes (or
// characters) are counted; the alphabet order follows from the counts at
// the end, and the tree is recoded to it (WordTree::Recode). The result is
// the tree that inserting every word, in file order, under the list's own
// alphabet order makes, so any readable file works the same: a regular
// file, a pipe, a FIFO or /dev/stdin. The file is read on a thread of its
// own while the calling thread inserts the words (word_blocks.h); only the
// calling thread touches the tree.
//
// Asked to read the list as characters, each UTF-8 character is one symbol.
// A list that is not valid UTF-8, or that has more than 255 distinct
// characters, is read as bytes instead, and the result says why; finding
// that out may take a second pass (from a copy kept while a stream is read).
//
// Asked to read the words backwards (prefix mode, see reading_direction.h),
// each word goes into the tree reversed, symbol by symbol; the alphabet
// order and the character checks see the words as written.
//
//   WordTree tree;
//   LoadedWordList loaded = LoadWordList(path, buffer_size, false, tree);
//   if (!loaded.ok()) report(loaded.error.message());
//
// On failure the tree holds what was read before the error; callers that
// must keep a tree load into a new one and swap.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

#include "lexicon/reading_direction.h"
#include "lexicon/word_reader.h"

namespace tarvo {

class WordTree;

struct LoadedWordList {
  // Why the file could not be opened or read, or EngineError::kTooManyNodes;
  // empty when the whole file was read.
  std::error_code error;
  bool ok() const { return !error; }
  bool characters = false;       // read as characters
  std::string byte_mode_reason;  // why characters were asked for but not used
  WordListStats stats;           // words read, skipped, refused, not UTF-8
};

[[nodiscard]] LoadedWordList LoadWordList(const std::string& path, std::uint32_t buffer_size,
                                          bool as_characters, WordTree& tree,
                                          ReadingDirection direction = ReadingDirection::kForwards);
// The same for a word list held in memory.
[[nodiscard]] LoadedWordList LoadWordListText(std::string_view text, std::uint32_t buffer_size,
                                              bool as_characters, WordTree& tree,
                                              ReadingDirection direction = ReadingDirection::kForwards);

}  // namespace tarvo
