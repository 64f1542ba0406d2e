#include "lexicon/word_reader.h"

#include <array>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvo {
namespace {

constexpr std::size_t kBlockSize = 1 << 20;

constexpr std::array<bool, 256> MakeSeparatorTable() {
  std::array<bool, 256> table{};
  for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r', '\0'}) table[c] = true;
  return table;
}
constexpr std::array<bool, 256> kSeparators = MakeSeparatorTable();

}  // namespace

bool IsWordSeparator(unsigned char byte) { return kSeparators[byte]; }

WordFileReader::WordFileReader() = default;

WordFileReader::~WordFileReader() {
  if (fd_ >= 0) ::close(fd_);
}

bool WordFileReader::Open(const std::string& path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) {
    error_ = errno;
    return false;
  }
  struct stat info;
  if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
    error_ = S_ISDIR(info.st_mode) ? EISDIR : errno;
    ::close(fd_);
    fd_ = -1;
    return false;
  }
  buffer_size_ = kBlockSize + kMaxWordLength + 1;
  buffer_.reset(new char[buffer_size_]);
  return true;
}

bool WordFileReader::Refill() {
  if (at_eof_ || fd_ < 0) return false;
  // Keep the unfinished token at the front; it is at most kMaxWordLength + 1
  // bytes, because a longer one is dropped while it is being skipped.
  std::size_t kept = end_ - pos_;
  if (kept > 0 && pos_ > 0) std::memmove(buffer_.get(), buffer_.get() + pos_, kept);
  pos_ = 0;
  end_ = kept;
  for (;;) {
    ssize_t got = ::read(fd_, buffer_.get() + end_, buffer_size_ - end_);
    if (got > 0) {
      end_ += static_cast<std::size_t>(got);
      return true;
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) error_ = errno;
    at_eof_ = true;
    return false;
  }
}

bool WordFileReader::Next(std::string_view& word) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(buffer_.get());
  for (;;) {
    while (pos_ < end_ && kSeparators[bytes[pos_]]) ++pos_;
    if (pos_ == end_) {
      if (!Refill()) return false;
      continue;
    }
    std::size_t stop = pos_;
    while (stop < end_ && !kSeparators[bytes[stop]]) ++stop;
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
        std::size_t i = 0;
        while (i < end_ && !kSeparators[bytes[i]]) ++i;
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
