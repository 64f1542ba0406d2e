// Reading word lists: the tokenizer shared by the alphabet order and the tree.
//
// A word is a maximal run of bytes that are neither white space (space, tab,
// LF, VT, FF, CR) nor byte 0: the tokens of fscanf("%s"), with byte 0 as one
// more separator so that a word never has to be cut at it. A word holds at
// most kMaxWordLength bytes; longer tokens are skipped whole and counted.
//
// Usage:
//   WordFileReader reader;
//   if (std::error_code error = reader.Open(path)) return report(error);
//   std::string_view word;
//   while (reader.Next(word)) use(word);
//   if (reader.error()) report(reader.error());
//
// The file is read in large blocks; a word handed out by Next stays valid
// until the next call. Any readable file works: a regular file, a pipe, a
// FIFO or /dev/stdin. Rewind() starts over at the first word; a stream that
// cannot seek is kept in an unnamed temporary file while it is read when
// Open is asked to, so that it can be read again.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <sys/types.h>

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
};

class WordFileReader {
 public:
  WordFileReader();
  ~WordFileReader();
  WordFileReader(const WordFileReader&) = delete;
  WordFileReader& operator=(const WordFileReader&) = delete;

  enum class Replay { kNotNeeded, kKeepStreams };

  // Opens a word list for reading. A folder counts as a file that cannot be
  // opened (EISDIR). With Replay::kKeepStreams, a source that cannot seek is
  // copied into an unnamed temporary file as it is read, for Rewind().
  // Returns the error on failure (error() returns it too).
  [[nodiscard]] std::error_code Open(const std::string& path, Replay replay = Replay::kNotNeeded);

  // Reads words from text in memory instead of a file; the text must stay
  // valid while the reader is used.
  void OpenText(std::string_view text);

  // Starts over at the first word of the file; the long token count starts
  // over too. Returns the error when the file cannot be read again.
  [[nodiscard]] std::error_code Rewind();

  // Hands out the next word. False at the end of the file or on a read
  // error; error() tells which.
  bool Next(std::string_view& word);

  // The failure that ended the reading; empty when none.
  std::error_code error() const;
  std::uint64_t long_tokens_skipped() const { return long_tokens_skipped_; }
  // How far into the file the words handed out so far reach, and the size
  // of the file when it has one (a regular file; 0 for a stream).
  std::uint64_t position() const { return bytes_read_ - (end_ - pos_); }
  std::uint64_t file_size() const { return file_size_; }

 private:
  // Reads more of the file behind the kept bytes [pos_, end_); false at the
  // end of the file or on an error.
  bool Refill();
  // Reads up to `size` bytes into `data`, retrying on EINTR; -1 on error.
  ssize_t ReadSome(char* data, std::size_t size);
  // Copies bytes read from a stream into the replay copy.
  bool KeepForReplay(const char* data, std::size_t size);

  int fd_ = -1;
  std::string_view text_;        // the source when reading from memory
  std::size_t text_read_ = 0;    // how much of text_ has been read
  bool from_text_ = false;
  int replay_fd_ = -1;  // the copy of a stream, -1 when none is kept
  int error_ = 0;
  bool seekable_ = false;
  bool at_eof_ = false;
  std::uint64_t long_tokens_skipped_ = 0;
  std::uint64_t bytes_read_ = 0;
  std::uint64_t file_size_ = 0;
  // Filled by read() before any byte is looked at, so left uninitialised:
  // zeroing a block on every Open would cost more than reading a small list.
  std::unique_ptr<char[]> buffer_;
  std::size_t buffer_size_ = 0;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
};

}  // namespace tarvo
