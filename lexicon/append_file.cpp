#include "lexicon/append_file.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

#include "lexicon/file_identity.h"
#include "lexicon/file_paths.h"
#include "lexicon/word_reader.h"

namespace tarvo {
namespace {

// Rounds of "open, else create" lost to another process creating or
// removing the file at the same moment before giving up.
constexpr int kOpenRounds = 8;

// The last byte of the regular file `file` at `path`, or a space when there
// is none or it cannot be read. Read through a descriptor of its own: one
// that reads as well as writes would make a pipe swallow the words when
// nobody reads it.
unsigned char LastByte(const std::string& path, const struct stat& file) {
  unsigned char last = ' ';
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat info;
  if (file.st_size > 0 && fd.valid() && ::fstat(fd.get(), &info) == 0 && SameFile(info, file) &&
      ::pread(fd.get(), &last, 1, file.st_size - 1) != 1) {
    last = ' ';
  }
  return last;
}

}  // namespace

std::unique_ptr<AppendFile> AppendFile::Open(const std::string& path, int* error) {
  std::unique_ptr<AppendFile> file(new AppendFile);
  *error = ResolveSymlinks(path, &file->path_);
  if (*error == 0) *error = file->OpenTarget();
  struct stat info;
  if (*error == 0 && ::fstat(file->fd(), &info) != 0) *error = errno;
  if (*error == 0 && S_ISREG(info.st_mode)) {
    *error = CheckWritable(file->path_, info);
    file->regular_ = *error == 0;
    file->former_size_ = info.st_size;
    file->ends_inside_word_ = !IsWordSeparator(LastByte(file->path_, info));
  }
  if (*error != 0) file.reset();  // removes a file made here
  return file;
}

int AppendFile::OpenTarget() {
  // Opening without O_CREAT first tells whether the file is made here, and
  // so whether taking the append back means removing the file.
  for (int round = 0; round < kOpenRounds; ++round) {
    fd_ = UniqueFd(::open(path_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
    if (fd_.valid()) return 0;
    if (errno != ENOENT) return errno;
    fd_ = UniqueFd(::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd_.valid()) {
      created_ = true;
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

AppendFile::~AppendFile() {
  if (!completed_) TakeBack();
}

int AppendFile::Complete() {
  if (regular_ && ::fsync(fd()) != 0) return errno;
  if (created_) {
    if (const int error = SyncFolder(FolderOf(path_)); error != 0) return error;
  }
  if (const int error = CloseKeepingDuplicate(); error != 0) return error;
  completed_ = true;
  return 0;
}

void AppendFile::TakeBack() {
  if (!fd_.valid()) return;
  struct stat own;
  if (::fstat(fd(), &own) != 0) return;
  if (regular_ && own.st_size != former_size_ && ::ftruncate(fd(), former_size_) == 0) {
    ::fsync(fd());
  }
  // Removed only while the name still leads to the file made here.
  struct stat named;
  if (created_ && ::stat(path_.c_str(), &named) == 0 && SameFile(named, own) &&
      ::unlink(path_.c_str()) == 0) {
    SyncFolder(FolderOf(path_));
  }
}

}  // namespace tarvo
