// The file a WordFileWriter writes to, and how what was written becomes the
// file's content or is taken back. Three kinds (each in its own unit):
//   AppendFile      adds to the end of a file; taken back by truncation.
//   ReplacingFile   a new file in the target's folder, renamed over it.
//   InPlaceFile     the target itself, rewritten (hard links, devices).
// Below them, the calls they share.
#pragma once

#include <string>

#include <sys/stat.h>

#include "lexicon/unique_fd.h"

namespace tarvo {

class OutputFile {
 public:
  virtual ~OutputFile() = default;
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Where the bytes go.
  int fd() const { return fd_.get(); }

  // Called once every byte has been written: syncs the data to the disk and
  // makes it the file's content. Returns 0, or the errno of the failure.
  // An OutputFile destroyed without a successful Complete() puts back what
  // the file held before it was opened.
  virtual int Complete() = 0;

 protected:
  // Closes fd_ to learn close's verdict, leaving a duplicate in fd_ through
  // which the file can still be put back if the close failed.
  int CloseKeepingDuplicate();

  UniqueFd fd_;
};

// 0 when the process may change the regular file at `path`, else EACCES (or
// the errno of the check). A file without any write permission bit counts
// as read-only for root too, who is otherwise let through everywhere.
int CheckWritable(const std::string& path, const struct stat& info);

// Gives the file at fd the owner, group and permissions in `model`, as far
// as this process may: a user who cannot give a file away still sets the
// group when allowed. 0 or the errno of the failure.
int CopyOwnerAndMode(int fd, const struct stat& model);

// Syncs a folder, so that names made or changed in it survive a crash.
// File systems that cannot sync a folder (EINVAL) are taken as done.
int SyncFolder(const std::string& folder);

}  // namespace tarvo
