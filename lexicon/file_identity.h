// Whether two paths name the same file, through symbolic and hard links.
#pragma once

#include <string>

#include <sys/stat.h>

namespace tarvo {

// True when both describe the same file (device and inode).
inline bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// True when both paths exist and lead to the same file.
inline bool IsSameFile(const std::string& a, const std::string& b) {
  struct stat first;
  struct stat second;
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && SameFile(first, second);
}

}  // namespace tarvo
