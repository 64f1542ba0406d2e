#include "lexicon/word_reader.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "lexicon/eight_bytes.h"
#include "lexicon/errors.h"
#include "lexicon/page_prefault.h"

namespace tarvo {
namespace {

constexpr std::size_t kBlockSize = 1 << 20;

constexpr std::array<bool, 256> MakeSeparatorTable() {
  std::array<bool, 256> table{};
  for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r', '\0'}) table[c] = true;
  return table;
}
constexpr std::array<bool, 256> kSeparators = MakeSeparatorTable();

// The high bit of each byte of a group below 0x21; a borrow can flag bytes
// after the first such byte, never before it. Every separator lies below
// 0x21, and so do the other control bytes.
inline std::uint64_t BelowSpaceOrSpace(std::uint64_t group) {
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  return (group - kOnes * 0x21) & ~group & kHighBits;
}

// The first separator in bytes [from, end), or end. A group of bytes with
// none below 0x21 holds no separator, and the first byte below it is
// checked against the table. Sixteen bytes at a time, as two groups of
// eight, so that most words end in the first sixteen bytes looked at: the
// loop's exit is then predictable. The end is that of a block read from
// the file, so the bytes left to look at one by one are few.
std::size_t FindSeparator(const unsigned char* bytes, std::size_t from, std::size_t end) {
  while (end - from >= 16) {
    const std::uint64_t low = BelowSpaceOrSpace(ReadEightBytes(bytes + from));
    const std::uint64_t high = BelowSpaceOrSpace(ReadEightBytes(bytes + from + 8));
    if ((low | high) == 0) {
      from += 16;
      continue;
    }
    const std::size_t first = from + (low != 0 ? FirstFlaggedByte(low) : 8 + FirstFlaggedByte(high));
    if (kSeparators[bytes[first]]) return first;
    from = first + 1;
  }
  while (from < end && !kSeparators[bytes[from]]) ++from;
  return from;
}

}  // namespace

bool IsWordSeparator(unsigned char byte) { return kSeparators[byte]; }

WordFileReader::WordFileReader() = default;

WordFileReader::~WordFileReader() {
  if (fd_ >= 0) ::close(fd_);
  if (replay_fd_ >= 0) ::close(replay_fd_);
}

namespace {

// An unnamed file in the temporary folder, gone when closed; a named one
// unlinked at once where the file system cannot make unnamed files.
int OpenUnnamedTemporaryFile() {
  const char* folder = std::getenv("TMPDIR");
  std::string dir = folder != nullptr && *folder != '\0' ? folder : "/tmp";
  int fd = ::open(dir.c_str(), O_RDWR | O_TMPFILE | O_CLOEXEC, 0600);
  if (fd >= 0) return fd;
  std::string pattern = dir + "/tarvo-stream-XXXXXX";
  fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd >= 0) ::unlink(pattern.c_str());
  return fd;
}

}  // namespace

std::error_code WordFileReader::Open(const std::string& path, Replay replay) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) {
    error_ = errno;
    return error();
  }
  struct stat info;
  if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
    error_ = S_ISDIR(info.st_mode) ? EISDIR : errno;
    ::close(fd_);
    fd_ = -1;
    return error();
  }
  seekable_ = S_ISREG(info.st_mode);
  file_size_ = seekable_ ? static_cast<std::uint64_t>(info.st_size) : 0;
  if (!seekable_ && replay == Replay::kKeepStreams) {
    replay_fd_ = OpenUnnamedTemporaryFile();
    if (replay_fd_ < 0) {
      error_ = errno;
      return error();
    }
  }
  buffer_size_ = kBlockSize + kMaxWordLength + 1;
  buffer_.reset(new char[buffer_size_]);
  // Brought in at once: the first reads would fault on each of its pages.
  PrefaultPages(buffer_.get(), seekable_ ? std::min<std::uint64_t>(buffer_size_, file_size_) : buffer_size_);
  return {};
}

void WordFileReader::OpenText(std::string_view text) {
  from_text_ = true;
  text_ = text;
  seekable_ = true;
  file_size_ = text.size();
  buffer_size_ = kBlockSize + kMaxWordLength + 1;
  buffer_.reset(new char[buffer_size_]);
}

ssize_t WordFileReader::ReadSome(char* data, std::size_t size) {
  if (from_text_) {
    const std::size_t now = std::min(size, text_.size() - text_read_);
    if (now > 0) std::memcpy(data, text_.data() + text_read_, now);
    text_read_ += now;
    return static_cast<ssize_t>(now);
  }
  for (;;) {
    const ssize_t got = ::read(fd_, data, size);
    if (got >= 0 || errno != EINTR) return got;
  }
}

bool WordFileReader::KeepForReplay(const char* data, std::size_t size) {
  if (replay_fd_ < 0) return true;
  while (size > 0) {
    const ssize_t wrote = ::write(replay_fd_, data, size);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      error_ = wrote < 0 ? errno : EIO;
      return false;
    }
    data += wrote;
    size -= static_cast<std::size_t>(wrote);
  }
  return true;
}

std::error_code WordFileReader::Rewind() {
  if (fd_ < 0 && !from_text_) return ErrnoError(EBADF);
  if (error_ != 0) return error();
  if (!seekable_) {
    if (replay_fd_ < 0) {
      error_ = ESPIPE;
      return error();
    }
    // Keep the rest of the stream too, then read the copy from its start.
    for (;;) {
      const ssize_t got = ReadSome(buffer_.get(), buffer_size_);
      if (got < 0) error_ = errno;
      if (got <= 0) break;
      if (!KeepForReplay(buffer_.get(), static_cast<std::size_t>(got))) break;
    }
    if (error_ != 0) return error();
    ::close(fd_);
    fd_ = replay_fd_;
    replay_fd_ = -1;
    seekable_ = true;
  }
  if (from_text_) {
    text_read_ = 0;
  } else if (::lseek(fd_, 0, SEEK_SET) != 0) {
    error_ = errno;
    return error();
  }
  at_eof_ = false;
  pos_ = end_ = 0;
  bytes_read_ = 0;
  long_tokens_skipped_ = 0;
  return {};
}

std::error_code WordFileReader::error() const { return ErrnoError(error_); }

bool WordFileReader::Refill() {
  if (at_eof_ || (fd_ < 0 && !from_text_)) return false;
  // Keep the unfinished token at the front; it is at most kMaxWordLength + 1
  // bytes, because a longer one is dropped while it is being skipped.
  std::size_t kept = end_ - pos_;
  if (kept > 0 && pos_ > 0) std::memmove(buffer_.get(), buffer_.get() + pos_, kept);
  pos_ = 0;
  end_ = kept;
  const ssize_t got = ReadSome(buffer_.get() + end_, buffer_size_ - end_);
  if (got > 0 && KeepForReplay(buffer_.get() + end_, static_cast<std::size_t>(got))) {
    end_ += static_cast<std::size_t>(got);
    bytes_read_ += static_cast<std::uint64_t>(got);
    return true;
  }
  if (got < 0) error_ = errno;
  at_eof_ = true;
  return false;
}

bool WordFileReader::Next(std::string_view& word) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(buffer_.get());
  for (;;) {
    while (pos_ < end_ && kSeparators[bytes[pos_]]) ++pos_;
    if (pos_ == end_) {
      if (!Refill()) return false;
      continue;
    }
    const std::size_t stop = FindSeparator(bytes, pos_, end_);
    if (stop < end_ || at_eof_) {
      std::size_t length = stop - pos_;
      std::size_t start = pos_;
      pos_ = stop;
      if (length <= kMaxWordLength) {
        word = std::string_view(buffer_.get() + start, length);
        return true;
      }
      ++long_tokens_skipped_;
      continue;
    }
    // The token runs into the end of the block.
    if (stop - pos_ > kMaxWordLength) {
      // Too long already: drop what we have and skip the rest of the token.
      ++long_tokens_skipped_;
      for (;;) {
        pos_ = end_;
        if (!Refill()) return false;
        const std::size_t i = FindSeparator(bytes, 0, end_);
        if (i < end_) {
          pos_ = i;
          break;
        }
      }
      continue;
    }
    if (!Refill()) {
      // End of file right after the token: hand it out.
      std::size_t length = end_ - pos_;
      if (error_ != 0 || length == 0) return false;
      word = std::string_view(buffer_.get() + pos_, length);
      pos_ = end_;
      return true;
    }
  }
}

}  // namespace tarvo
