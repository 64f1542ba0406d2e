// Write calls for WordFileWriter that fail or come up short on purpose.
#pragma once

#include <cstddef>

#include <sys/types.h>

namespace tarvo::test {

// What WriteWithinBudget does once its budget is spent.
enum class WriteFault {
  kError,          // fails with EIO
  kWritesNothing,  // returns 0
};

// Lets `budget` more bytes through WriteWithinBudget. The block that reaches
// the limit is written in part (a short write); the next call fails.
void SetWriteBudget(std::size_t budget, WriteFault fault = WriteFault::kError);
ssize_t WriteWithinBudget(int fd, const void* data, std::size_t size);

// Interrupted (EINTR) every other time, and otherwise writes at most 7
// bytes: every byte must still arrive.
ssize_t WriteInDribbles(int fd, const void* data, std::size_t size);

}  // namespace tarvo::test
