// Whether two paths name the same file, through symbolic and hard links.
#pragma once

#include <string>

#include <sys/stat.h>

namespace tarvo {

// True when both paths exist and lead to the same file (device and inode).
inline bool IsSameFile(const std::string& a, const std::string& b) {
  struct stat first;
  struct stat second;
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace tarvo
