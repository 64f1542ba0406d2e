// Writing word lists, one word per line, with every write error detected
// and no word lost or written twice.
//
// WordFileWriter buffers its output and remembers the first error of any
// write, flush, sync or close; Commit() returns it. Two ways to open a file:
//   - OpenForAppend: adds to the end of a file, creating it when missing. If
//     the file's last byte is part of a word, a line end goes before the
//     first word written, so that it does not run into the file's last word.
//     All or nothing: when anything fails, the file is cut back to its
//     former length (and a file made by the append is removed), so that the
//     caller can keep the words and save them again later (append_file.h).
//   - OpenForReplace: writes a whole new list. The target is the file at the
//     end of any symbolic links; a dangling link gets the file it names. A
//     regular file is replaced by a new file renamed over it, keeping its
//     owner, group and permissions (replacing_file.h); one with several hard
//     links is rewritten in place behind a backup copy, so that every name
//     sees the new list (in_place_file.h); devices and pipes are written in
//     place. A file the user may not write, or one without any write
//     permission (even for root), is refused with EACCES. A failure at any
//     point leaves the old list.
// Either way the data is synced to the disk before Commit() reports success,
// and a writer destroyed without Commit() puts the file back as it was.
//
// Every block of output goes through one write call, ::write unless another
// is given to the constructor: tests pass their own to make a write fail or
// come up short at a chosen point.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <sys/types.h>

namespace tarvo {

class OutputFile;

class WordFileWriter {
 public:
  // Has the semantics of ::write: bytes written, or -1 with errno set.
  using WriteCall = ssize_t (*)(int fd, const void* data, std::size_t size);

  explicit WordFileWriter(WriteCall write_call = nullptr);  // nullptr: ::write
  ~WordFileWriter();
  WordFileWriter(const WordFileWriter&) = delete;
  WordFileWriter& operator=(const WordFileWriter&) = delete;

  // Empty on success; the writer is then open.
  [[nodiscard]] std::error_code OpenForAppend(const std::string& path);
  [[nodiscard]] std::error_code OpenForReplace(const std::string& path);

  // Writes the word and a line feed.
  void WriteLine(std::string_view word);

  // Flushes, syncs and makes the output the file's content. Returns the
  // first error since opening (or of the open); the file then holds what it
  // held before.
  [[nodiscard]] std::error_code Commit();

 private:
  void Flush();
  // Keeps the first failure: an errno value (0 is none).
  void Fail(int errno_value);
  // Makes the buffer hold at least `size` bytes; what it held is dropped.
  void SizeBuffer(std::size_t size);

  WriteCall write_call_;
  std::error_code error_;
  std::unique_ptr<OutputFile> file_;
  // Only ever read where it was written, so left uninitialised: zeroing a
  // megabyte for every file opened would cost more than writing a few words.
  std::unique_ptr<char[]> buffer_;
  std::size_t buffer_size_ = 0;
  std::size_t used_ = 0;
  bool separator_pending_ = false;  // a line end must precede the first word
};

// Appends the words, one per line, to the file at path (created if missing),
// all or nothing. Returns the error when the file cannot be opened or a
// write, sync or close fails; the file is then as it was.
[[nodiscard]] std::error_code AppendWordsToFile(const std::string& path,
                                                const std::vector<std::string>& words);

}  // namespace tarvo
