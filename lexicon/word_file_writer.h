// Writing word lists, one word per line, with every write error detected.
//
// WordFileWriter buffers its output and remembers the first error of any
// write, flush, sync or close; Close() or Commit() report it. Three ways to
// open a file:
//   - OpenForAppend: adds to the end of a file, creating it when missing. If
//     the file's last byte is not white space, a line end goes before the
//     first word written, so that it does not run into the file's last word.
//   - OpenForReplace: writes a whole new file. A regular file (or a missing
//     one) is written to a temporary file in the same folder that Commit()
//     renames over the target only when every write succeeded, so that a
//     failure never leaves a truncated list behind. Other targets (devices,
//     pipes) are written in place.
// A writer that is destroyed without Close()/Commit() discards a temporary
// file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

class WordFileWriter {
 public:
  WordFileWriter();
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

  int fd_ = -1;
  int error_ = 0;
  std::string target_path_;
  std::string temp_path_;  // empty when writing in place
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  bool separator_pending_ = false;  // a line end must precede the first word
};

// Appends the words, one per line, to the file at path (created if missing).
// Returns 1 on success and -1 when the file cannot be opened or a write,
// flush or close fails; *error receives errno then.
int AppendWordsToFile(const std::string& path, const std::vector<std::string>& words,
                      int* error = nullptr);

}  // namespace tarvo
