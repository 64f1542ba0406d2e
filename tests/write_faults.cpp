#include "write_faults.h"

#include <algorithm>
#include <cerrno>

#include <unistd.h>

namespace tarvo::test {
namespace {

std::size_t g_budget = 0;
WriteFault g_fault = WriteFault::kError;

}  // namespace

void SetWriteBudget(std::size_t budget, WriteFault fault) {
  g_budget = budget;
  g_fault = fault;
}

ssize_t WriteWithinBudget(int fd, const void* data, std::size_t size) {
  if (g_budget == 0) {
    if (g_fault == WriteFault::kWritesNothing) return 0;
    errno = EIO;
    return -1;
  }
  const ssize_t wrote = ::write(fd, data, std::min(size, g_budget));
  if (wrote > 0) g_budget -= static_cast<std::size_t>(wrote);
  return wrote;
}

ssize_t WriteInDribbles(int fd, const void* data, std::size_t size) {
  static bool interrupt = false;
  interrupt = !interrupt;
  if (interrupt) {
    errno = EINTR;
    return -1;
  }
  return ::write(fd, data, std::min<std::size_t>(size, 7));
}

}  // namespace tarvo::test
