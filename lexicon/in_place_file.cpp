#include "lexicon/in_place_file.h"

#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "lexicon/file_paths.h"

namespace tarvo {
namespace {

constexpr int kBackupNameAttempts = 100;
constexpr std::size_t kCopyBlock = 1 << 16;

// Copies the whole content of `from` to the start of `to`. 0 or an errno.
int CopyContent(int from, int to) {
  std::vector<char> block(kCopyBlock);
  for (off_t offset = 0;;) {
    const ssize_t got = ::pread(from, block.data(), block.size(), offset);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) return 0;
    for (ssize_t done = 0; done < got;) {
      const ssize_t wrote = ::pwrite(to, block.data() + done, static_cast<std::size_t>(got - done), offset + done);
      if (wrote < 0 && errno == EINTR) continue;
      if (wrote <= 0) return wrote < 0 ? errno : EIO;
      done += wrote;
    }
    offset += got;
  }
}

std::string BackupName(const std::string& target, int attempt) {
  return HiddenSiblingName(target, attempt == 1 ? "tarvo-backup" : "tarvo-backup-" + std::to_string(attempt));
}

}  // namespace

std::unique_ptr<InPlaceFile> InPlaceFile::OpenWithBackup(const std::string& target, const struct stat& former,
                                                         int* error) {
  std::unique_ptr<InPlaceFile> file(new InPlaceFile);
  // Read access for the backup copy.
  file->fd_ = UniqueFd(::open(target.c_str(), O_RDWR | O_CLOEXEC));
  *error = file->fd_.valid() ? file->MakeBackup(target, former) : errno;
  if (*error == 0) {
    *error = ::ftruncate(file->fd(), 0) == 0 ? 0 : errno;
    file->emptied_ = true;  // even a failed ftruncate may have cut the file
  }
  if (*error != 0) file.reset();
  return file;
}

std::unique_ptr<InPlaceFile> InPlaceFile::OpenDevice(const std::string& target, int* error) {
  std::unique_ptr<InPlaceFile> file(new InPlaceFile);
  file->fd_ = UniqueFd(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
  *error = file->fd_.valid() ? 0 : errno;
  if (*error != 0) file.reset();
  return file;
}

int InPlaceFile::MakeBackup(const std::string& target, const struct stat& former) {
  for (int attempt = 1; !backup_.valid(); ++attempt) {
    if (attempt > kBackupNameAttempts) return EEXIST;
    backup_path_ = BackupName(target, attempt);
    backup_ = UniqueFd(::open(backup_path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!backup_.valid() && errno != EEXIST) {
      backup_path_.clear();
      return errno;
    }
  }
  if (const int error = CopyOwnerAndMode(backup_.get(), former); error != 0) return error;
  if (const int error = CopyContent(fd(), backup_.get()); error != 0) return error;
  if (::fsync(backup_.get()) != 0) return errno;
  return SyncFolder(FolderOf(target));
}

InPlaceFile::~InPlaceFile() {
  if (!completed_ && emptied_) RestoreFromBackup();
  else RemoveBackup();
}

int InPlaceFile::Complete() {
  const bool regular = !backup_path_.empty();
  if (regular && ::fsync(fd()) != 0) return errno;
  if (const int error = CloseKeepingDuplicate(); error != 0) return error;
  completed_ = true;
  return 0;
}

void InPlaceFile::RestoreFromBackup() {
  if (!fd_.valid() || !backup_.valid()) return;
  if (::ftruncate(fd(), 0) == 0 && CopyContent(backup_.get(), fd()) == 0 && ::fsync(fd()) == 0) {
    RemoveBackup();
  }
}

void InPlaceFile::RemoveBackup() {
  backup_.Reset();
  if (!backup_path_.empty()) ::unlink(backup_path_.c_str());
}

}  // namespace tarvo
