#include "fuzz_support.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace tarvo::fuzz {

MemoryFile::MemoryFile() {
  fd_ = ::memfd_create("tarvo-fuzz", MFD_CLOEXEC);
  if (fd_ >= 0) {
    path_ = "/proc/self/fd/" + std::to_string(fd_);
    return;
  }
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/tarvo-fuzz-XXXXXX";
  fd_ = ::mkstemp(pattern.data());
  if (fd_ < 0) Fail("cannot create a file for the input");
  path_ = unlink_path_ = pattern;
}

MemoryFile::~MemoryFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!unlink_path_.empty()) ::unlink(unlink_path_.c_str());
}

void MemoryFile::Set(std::string_view content) {
  // Written over, then cut to size: the pages of the last input are reused.
  std::size_t done = 0;
  while (done < content.size()) {
    ssize_t wrote = ::pwrite(fd_, content.data() + done, content.size() - done, static_cast<off_t>(done));
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) Fail("cannot write the input file");
    done += static_cast<std::size_t>(wrote);
  }
  if (::ftruncate(fd_, static_cast<off_t>(content.size())) != 0) Fail("cannot cut the input file to size");
}

std::string MemoryFile::Get() const {
  std::string content;
  char block[65536];
  for (off_t offset = 0;;) {
    ssize_t got = ::pread(fd_, block, sizeof block, offset);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) Fail("cannot read the file back");
    if (got == 0) return content;
    content.append(block, static_cast<std::size_t>(got));
    offset += got;
  }
}

void Fail(const std::string& what) {
  std::fprintf(stderr, "check failed: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

}  // namespace tarvo::fuzz
