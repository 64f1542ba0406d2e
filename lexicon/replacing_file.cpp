#include "lexicon/replacing_file.h"

#include <cerrno>
#include <random>

#include <fcntl.h>
#include <unistd.h>

#include "lexicon/file_paths.h"

namespace tarvo {
namespace {

constexpr int kNameAttempts = 100;

std::string RandomLetters(int count) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  std::string letters;
  for (int i = 0; i < count; ++i) letters += kLetters[random() % (sizeof kLetters - 1)];
  return letters;
}

// Errors by which open refuses O_TMPFILE where the kernel or the file
// system does not offer it.
bool UnnamedFilesUnsupported(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

}  // namespace

std::unique_ptr<ReplacingFile> ReplacingFile::Open(const std::string& target, const struct stat* former,
                                                   int* error) {
  std::unique_ptr<ReplacingFile> file(new ReplacingFile);
  file->target_ = target;
  *error = file->CreateUnnamed();
  if (UnnamedFilesUnsupported(*error)) *error = file->CreateNamed();
  if (*error == 0 && former != nullptr) *error = CopyOwnerAndMode(file->fd(), *former);
  if (*error != 0) file.reset();
  return file;
}

int ReplacingFile::CreateUnnamed() {
  // Naming the file later goes through /proc/self/fd.
  if (::access("/proc/self/fd", X_OK) != 0) return EOPNOTSUPP;
  fd_ = UniqueFd(::open(FolderOf(target_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
  return fd_.valid() ? 0 : errno;
}

int ReplacingFile::CreateNamed() {
  return AtFreshName([this](const std::string& name) {
    fd_ = UniqueFd(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    return fd_.valid();
  });
}

int ReplacingFile::GiveName() {
  const std::string self = "/proc/self/fd/" + std::to_string(fd());
  return AtFreshName([&self](const std::string& name) {
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
  });
}

template <typename Make>
int ReplacingFile::AtFreshName(Make make) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = HiddenSiblingName(target_, "tarvo-new-" + RandomLetters(6));
    if (make(name)) {
      temp_path_ = std::move(name);
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

ReplacingFile::~ReplacingFile() {
  fd_.Reset();
  if (!temp_path_.empty()) ::unlink(temp_path_.c_str());
}

int ReplacingFile::Complete() {
  if (::fsync(fd()) != 0) return errno;
  if (temp_path_.empty()) {
    if (const int error = GiveName(); error != 0) return error;
  }
  if (const int error = fd_.Close(); error != 0) return error;
  if (::rename(temp_path_.c_str(), target_.c_str()) != 0) return errno;
  temp_path_.clear();
  return SyncFolder(FolderOf(target_));
}

}  // namespace tarvo
