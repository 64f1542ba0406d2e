#include "lexicon/word_file_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "lexicon/word_reader.h"

namespace tarvo {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

// The permissions a newly created file gets: 0666 less the umask.
mode_t DefaultFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// True unless the file is a regular file whose last byte is part of a word.
bool EndsBetweenWords(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return true;
  struct stat info;
  unsigned char last = ' ';
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
      ::pread(fd, &last, 1, info.st_size - 1) != 1) {
    last = ' ';
  }
  ::close(fd);
  return IsWordSeparator(last);
}

}  // namespace

WordFileWriter::WordFileWriter(WriteCall write_call)
    : write_call_(write_call != nullptr ? write_call : ::write) {}

WordFileWriter::~WordFileWriter() { Discard(); }

void WordFileWriter::Fail(int error) {
  if (error_ == 0) error_ = error;
}

void WordFileWriter::SizeBuffer(std::size_t size) {
  if (buffer_size_ >= size) return;
  buffer_.reset(new char[size]);
  buffer_size_ = size;
}

void WordFileWriter::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_path_.empty()) ::unlink(temp_path_.c_str());
  temp_path_.clear();
}

bool WordFileWriter::OpenForAppend(const std::string& path) {
  target_path_ = path;
  fd_ = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) {
    Fail(errno);
    return false;
  }
  SizeBuffer(kBufferSize);
  separator_pending_ = !EndsBetweenWords(path);
  return true;
}

bool WordFileWriter::OpenForReplace(const std::string& path) {
  target_path_ = path;
  SizeBuffer(kBufferSize);
  struct stat info;
  bool exists = ::stat(path.c_str(), &info) == 0;
  if (exists && S_ISDIR(info.st_mode)) {
    Fail(EISDIR);
    return false;
  }
  if (exists && !S_ISREG(info.st_mode)) {
    fd_ = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd_ < 0) Fail(errno);
    return fd_ >= 0;
  }
  std::string pattern = path + ".XXXXXX";
  fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd_ < 0) {
    Fail(errno);
    return false;
  }
  temp_path_ = pattern;
  // Keep the permissions of the file being replaced, or give a new file the
  // usual ones (mkostemp creates it private).
  if (::fchmod(fd_, exists ? (info.st_mode & 07777) : DefaultFileMode()) != 0) Fail(errno);
  return error_ == 0;
}

void WordFileWriter::Flush() {
  std::size_t done = 0;
  while (done < used_ && fd_ >= 0 && error_ == 0) {
    ssize_t wrote = write_call_(fd_, buffer_.get() + done, used_ - done);
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
  if (error_ != 0) return;
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

bool WordFileWriter::Commit() {
  if (fd_ < 0) return false;
  Flush();
  if (!temp_path_.empty() && error_ == 0 && ::fsync(fd_) != 0) Fail(errno);
  if (::close(fd_) != 0) Fail(errno);
  fd_ = -1;
  if (!temp_path_.empty()) {
    if (error_ == 0 && ::rename(temp_path_.c_str(), target_path_.c_str()) != 0) Fail(errno);
    if (error_ == 0) temp_path_.clear();
  }
  Discard();
  return error_ == 0;
}

int AppendWordsToFile(const std::string& path, const std::vector<std::string>& words,
                      int* error) {
  WordFileWriter writer;
  if (writer.OpenForAppend(path)) {
    for (const std::string& word : words) writer.WriteLine(word);
    writer.Commit();
  }
  if (error != nullptr) *error = writer.error();
  return writer.error() == 0 ? 1 : -1;
}

}  // namespace tarvo
