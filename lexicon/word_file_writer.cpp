#include "lexicon/word_file_writer.h"

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

#include "lexicon/append_file.h"
#include "lexicon/errors.h"
#include "lexicon/file_paths.h"
#include "lexicon/in_place_file.h"
#include "lexicon/replacing_file.h"

namespace tarvo {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

// Picks how the file a path leads to is replaced.
std::unique_ptr<OutputFile> OpenReplacement(const std::string& path, int* error) {
  std::string target;
  if ((*error = ResolveSymlinks(path, &target)) != 0) return nullptr;
  struct stat info;
  if (::stat(target.c_str(), &info) != 0) {
    if (errno != ENOENT) {
      *error = errno;
      return nullptr;
    }
    return ReplacingFile::Open(target, nullptr, error);
  }
  if (S_ISDIR(info.st_mode)) {
    *error = EISDIR;
    return nullptr;
  }
  // Left a link by ResolveSymlinks: only the kernel knows where it leads.
  struct stat link;
  const bool kernel_link = ::lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode);
  if (!S_ISREG(info.st_mode) || kernel_link) return InPlaceFile::OpenDevice(target, error);
  if ((*error = CheckWritable(target, info)) != 0) return nullptr;
  if (info.st_nlink > 1) return InPlaceFile::OpenWithBackup(target, info, error);
  return ReplacingFile::Open(target, &info, error);
}

}  // namespace

WordFileWriter::WordFileWriter(WriteCall write_call)
    : write_call_(write_call != nullptr ? write_call : ::write) {}

WordFileWriter::~WordFileWriter() = default;

void WordFileWriter::Fail(int errno_value) {
  if (!error_) error_ = ErrnoError(errno_value);
}

void WordFileWriter::SizeBuffer(std::size_t size) {
  if (buffer_size_ >= size) return;
  buffer_.reset(new char[size]);
  buffer_size_ = size;
}

std::error_code WordFileWriter::OpenForAppend(const std::string& path) {
  int error = 0;
  std::unique_ptr<AppendFile> file = AppendFile::Open(path, &error);
  Fail(error);
  if (file == nullptr) return error_;
  separator_pending_ = file->ends_inside_word();
  file_ = std::move(file);
  SizeBuffer(kBufferSize);
  return {};
}

std::error_code WordFileWriter::OpenForReplace(const std::string& path) {
  int error = 0;
  file_ = OpenReplacement(path, &error);
  Fail(error);
  if (file_ == nullptr) return error_;
  SizeBuffer(kBufferSize);
  return {};
}

void WordFileWriter::Flush() {
  std::size_t done = 0;
  while (done < used_ && file_ != nullptr && !error_) {
    ssize_t wrote = write_call_(file_->fd(), buffer_.get() + done, used_ - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      Fail(wrote < 0 ? errno : EIO);
      break;
    }
    done += static_cast<std::size_t>(wrote);
  }
  used_ = 0;
}

void WordFileWriter::WriteLine(std::string_view word) {
  if (error_) return;
  if (separator_pending_) {
    separator_pending_ = false;
    WriteLine({});
  }
  if (used_ + word.size() + 1 > buffer_size_) {
    Flush();
    SizeBuffer(word.size() + 1);
  }
  if (!word.empty()) std::memcpy(buffer_.get() + used_, word.data(), word.size());
  used_ += word.size();
  buffer_[used_++] = '\n';
}

std::error_code WordFileWriter::Commit() {
  if (file_ == nullptr) return error_ ? error_ : ErrnoError(EBADF);  // never opened
  Flush();
  if (!error_) Fail(file_->Complete());
  file_.reset();  // not completed: the file gets its former content back
  return error_;
}

std::error_code AppendWordsToFile(const std::string& path, const std::vector<std::string>& words) {
  WordFileWriter writer;
  if (const std::error_code error = writer.OpenForAppend(path)) return error;
  for (const std::string& word : words) writer.WriteLine(word);
  return writer.Commit();
}

}  // namespace tarvo
