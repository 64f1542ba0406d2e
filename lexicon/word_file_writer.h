// Writing word lists, one word per line, with every write error detected.
//
// WordFileWriter buffers its output and remembers the first error of any
// write, flush, sync or close; Commit() reports it. Two ways to
// open a file:
//   - OpenForAppend: adds to the end of a file, creating it when missing. If
//     the file's last byte is not white space, a line end goes before the
//     first word written, so that it does not run into the file's last word.
//   - OpenForReplace: writes a whole new file. A regular file (or a missing
//     one) is written to a temporary file in the same folder that Commit()
//     renames over the target only when every write succeeded, so that a
//     failure never leaves a truncated list behind. Other targets (devices,
//     pipes) are written in place.
// A writer that is destroyed without Commit() discards a temporary
// file.
//
// Every block of output goes through one write call, ::write unless another
// is given to the constructor: tests pass their own to make a write fail or
// come up short at a chosen point.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <sys/types.h>

namespace tarvo {

class WordFileWriter {
 public:
  // Has the semantics of ::write: bytes written, or -1 with errno set.
  using WriteCall = ssize_t (*)(int fd, const void* data, std::size_t size);

  explicit WordFileWriter(WriteCall write_call = nullptr);  // nullptr: ::write
  ~WordFileWriter();
  WordFileWriter(const WordFileWriter&) = delete;
  WordFileWriter& operator=(const WordFileWriter&) = delete;

  bool OpenForAppend(const std::string& path);
  bool OpenForReplace(const std::string& path);

  // Writes the word and a line feed.
  void WriteLine(std::string_view word);

  // Flushes and closes; for a replacement also syncs and renames the
  // temporary file over the target. False on any error since opening.
  bool Commit();

  // errno of the first failure, 0 when none.
  int error() const { return error_; }

 private:
  void Flush();
  void Fail(int error);
  void Discard();
  // Makes the buffer hold at least `size` bytes; what it held is dropped.
  void SizeBuffer(std::size_t size);

  WriteCall write_call_;
  int fd_ = -1;
  int error_ = 0;
  std::string target_path_;
  std::string temp_path_;  // empty when writing in place
  // Only ever read where it was written, so left uninitialised: zeroing a
  // megabyte for every file opened would cost more than writing a few words.
  std::unique_ptr<char[]> buffer_;
  std::size_t buffer_size_ = 0;
  std::size_t used_ = 0;
  bool separator_pending_ = false;  // a line end must precede the first word
};

// Appends the words, one per line, to the file at path (created if missing).
// Returns 1 on success and -1 when the file cannot be opened or a write,
// flush or close fails; *error receives errno then.
int AppendWordsToFile(const std::string& path, const std::vector<std::string>& words,
                      int* error = nullptr);

}  // namespace tarvo
