// Helpers for the libFuzzer targets: an in-memory file to hand the engine a
// path to, and a check that stops the run with a message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvo::fuzz {

// A file that lives in memory (memfd), reached through /proc/self/fd, so
// that code which opens paths can read bytes the fuzzer made without any
// disk traffic. Falls back to an unlinked-on-exit temporary file.
class MemoryFile {
 public:
  MemoryFile();
  ~MemoryFile();
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  // Replaces the file's content.
  void Set(std::string_view content);
  // Reads the whole file back.
  std::string Get() const;
  const std::string& path() const { return path_; }

 private:
  int fd_ = -1;
  std::string path_;
  std::string unlink_path_;  // the fallback file, removed when done
};

// Prints the message and aborts, so that libFuzzer records the input.
[[noreturn]] void Fail(const std::string& what);

inline void Require(bool holds, const std::string& what) {
  if (!holds) Fail(what);
}
// For the checks of engine_checks.h: an empty result means all held.
inline void RequireEmpty(const std::string& failure) {
  if (!failure.empty()) Fail(failure);
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace tarvo::fuzz
