// Replacing a regular file with a new one, as careful editors do.
//
// The new content is written to a file in the target's folder that has no
// name yet (O_TMPFILE), or, where the file system offers no such file, to a
// hidden ".NAME.tarvo-new-XXXXXX". Complete() syncs it, gives it a unique
// temporary name (linkat through /proc/self/fd), renames that over the
// target and syncs the folder. The new file gets the owner, group and
// permissions of the one it replaces, as far as the process may set them.
//
// A kill -9 at any moment leaves the target holding either the old list or
// the whole new one: the target is not touched before the rename, and the
// rename swaps the name over at once. A temporary name exists only between
// two successive calls, linkat and rename (with the named fallback, for the
// whole write), so only a kill in that window leaves one behind.
#pragma once

#include <memory>
#include <string>

#include <sys/stat.h>

#include "lexicon/output_file.h"

namespace tarvo {

class ReplacingFile final : public OutputFile {
 public:
  // `former` describes the file being replaced; null when there is none,
  // and the new file gets the usual permissions (0666 less the umask).
  // Null with *error set on failure.
  static std::unique_ptr<ReplacingFile> Open(const std::string& target, const struct stat* former,
                                             int* error);
  ~ReplacingFile() override;

  // Note that a failure to sync the folder is reported although the new
  // file has taken the target's name by then.
  int Complete() override;

 private:
  ReplacingFile() = default;
  int CreateUnnamed();
  int CreateNamed();
  int GiveName();
  // Runs make(name) with fresh temporary names until one is not taken.
  template <typename Make>
  int AtFreshName(Make make);

  std::string target_;
  std::string temp_path_;  // empty while the file has no name
};

}  // namespace tarvo
