// Appending to a word list, all or nothing.
//
// The length of a regular file is recorded when it is opened. If the append
// is not completed (a write, the sync or the close failed, or the writer
// gave up), the file is cut back to that length, which also takes back the
// line end put before the first word, and a file that the append itself
// created is removed again. A crash in the middle can still leave part of
// an append behind: only a whole-file save is safe against that.
//
// Devices and pipes cannot be taken back: what reached them stays there.
#pragma once

#include <memory>
#include <string>

#include <sys/types.h>

#include "lexicon/output_file.h"

namespace tarvo {

class AppendFile final : public OutputFile {
 public:
  // Opens the file at path (through symbolic links) for appending, creating
  // it when missing. A regular file without any write permission is refused
  // with EACCES, even for root. Null with *error set on failure.
  static std::unique_ptr<AppendFile> Open(const std::string& path, int* error);
  ~AppendFile() override;

  int Complete() override;

  // True when the file's last byte is part of a word, so that what is
  // appended must start with a line end.
  bool ends_inside_word() const { return ends_inside_word_; }

 private:
  AppendFile() = default;
  int OpenTarget();
  void TakeBack();

  std::string path_;  // the file itself, links resolved
  off_t former_size_ = 0;
  bool regular_ = false;
  bool created_ = false;
  bool completed_ = false;
  bool ends_inside_word_ = false;
};

}  // namespace tarvo
