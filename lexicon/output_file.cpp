#include "lexicon/output_file.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace tarvo {

int OutputFile::CloseKeepingDuplicate() {
  UniqueFd duplicate(::fcntl(fd_.get(), F_DUPFD_CLOEXEC, 0));
  if (!duplicate.valid()) return errno;
  const int error = fd_.Close();
  fd_ = std::move(duplicate);
  return error;
}

int CheckWritable(const std::string& path, const struct stat& info) {
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
  return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

int CopyOwnerAndMode(int fd, const struct stat& model) {
  if (::fchown(fd, model.st_uid, model.st_gid) != 0) {
    if (errno != EPERM) return errno;
    if (::fchown(fd, static_cast<uid_t>(-1), model.st_gid) != 0 && errno != EPERM) return errno;
  }
  // After fchown, which clears the set-user and set-group bits.
  return ::fchmod(fd, model.st_mode & 07777) == 0 ? 0 : errno;
}

int SyncFolder(const std::string& folder) {
  UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd.valid()) return errno;
  return ::fsync(fd.get()) == 0 || errno == EINVAL ? 0 : errno;
}

}  // namespace tarvo
