// Reading word lists: the tokenizer shared by the alphabet order and the tree.
//
// A word is a maximal run of bytes that are neither white space (space, tab,
// LF, VT, FF, CR) nor byte 0: the tokens of fscanf("%s"), with byte 0 as one
// more separator so that a word never has to be cut at it. A word holds at
// most kMaxWordLength bytes; longer tokens are skipped whole and counted.
//
// Usage:
//   WordFileReader reader;
//   if (!reader.Open(path)) report(reader.error());
//   std::string_view word;
//   while (reader.Next(word)) use(word);
//   if (reader.error() != 0) report(reader.error());
//
// The file is read in large blocks; a word handed out by Next stays valid
// until the next call.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

inline constexpr std::size_t kMaxWordLength = 255;

// True for the bytes that separate words.
bool IsWordSeparator(unsigned char byte);

// What one pass over a word list saw.
struct WordListStats {
  std::uint64_t words = 0;               // tokens handed on
  std::uint64_t long_tokens_skipped = 0;  // tokens over kMaxWordLength bytes
  std::uint64_t words_refused = 0;        // words the tree could not store
  std::uint64_t words_not_utf8 = 0;       // counted by the alphabet order's pass
  int error = 0;                          // errno of a failure, 0 when none
};

class WordFileReader {
 public:
  WordFileReader();
  ~WordFileReader();
  WordFileReader(const WordFileReader&) = delete;
  WordFileReader& operator=(const WordFileReader&) = delete;

  // Opens a word list for reading. A folder counts as a file that cannot be
  // opened (EISDIR). Returns false and sets error() on failure.
  bool Open(const std::string& path);

  // Hands out the next word. False at the end of the file or on a read
  // error; error() tells which.
  bool Next(std::string_view& word);

  int error() const { return error_; }
  std::uint64_t long_tokens_skipped() const { return long_tokens_skipped_; }

 private:
  // Reads more of the file behind the kept bytes [pos_, end_); false at the
  // end of the file or on an error.
  bool Refill();

  int fd_ = -1;
  int error_ = 0;
  bool at_eof_ = false;
  std::uint64_t long_tokens_skipped_ = 0;
  // Filled by read() before any byte is looked at, so left uninitialised:
  // zeroing a block on every Open would cost more than reading a small list.
  std::unique_ptr<char[]> buffer_;
  std::size_t buffer_size_ = 0;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
};

// Reads every word of a file and hands it to on_word. Returns false when the
// file cannot be opened or read; stats.error then holds the reason.
template <typename OnWord>
bool ForEachWordInFile(const std::string& path, WordListStats& stats, OnWord&& on_word) {
  WordFileReader reader;
  if (!reader.Open(path)) {
    stats.error = reader.error();
    return false;
  }
  std::string_view word;
  while (reader.Next(word)) {
    ++stats.words;
    on_word(word);
  }
  stats.long_tokens_skipped += reader.long_tokens_skipped();
  stats.error = reader.error();
  return reader.error() == 0;
}

}  // namespace tarvo
