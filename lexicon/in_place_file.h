// Rewriting a file in place, for targets that must stay the same file: a
// regular file with several hard links (every name must see the new list),
// and devices, pipes and the like.
//
// A regular file is first copied to a hidden backup beside it,
// ".NAME.tarvo-backup" (or ".NAME.tarvo-backup-2", -3, ... when that name is
// taken: an existing file is never overwritten), and the copy is synced
// before the file is emptied. Complete() syncs the new content and removes
// the backup. If the new content is not completed, the old one is copied
// back from the backup, which is removed once that is synced (and kept
// when it is not). A kill -9 in the middle leaves the backup beside the
// file, holding the old list.
//
// Devices and pipes are opened with O_TRUNC and written; they have nothing
// to back up.
#pragma once

#include <memory>
#include <string>

#include <sys/stat.h>

#include "lexicon/output_file.h"

namespace tarvo {

class InPlaceFile final : public OutputFile {
 public:
  // A regular file described by `former`. Null with *error set on failure,
  // with the file as it was.
  static std::unique_ptr<InPlaceFile> OpenWithBackup(const std::string& target, const struct stat& former,
                                                     int* error);
  // A device, pipe or other target that is not a regular file.
  static std::unique_ptr<InPlaceFile> OpenDevice(const std::string& target, int* error);
  ~InPlaceFile() override;

  int Complete() override;

 private:
  InPlaceFile() = default;
  int MakeBackup(const std::string& target, const struct stat& former);
  void RestoreFromBackup();
  void RemoveBackup();

  std::string backup_path_;  // empty for devices
  UniqueFd backup_;
  bool emptied_ = false;  // the target no longer holds its old content
  bool completed_ = false;
};

}  // namespace tarvo
