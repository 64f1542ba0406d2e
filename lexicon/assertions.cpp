#include "lexicon/assertions.h"

#include <cstdio>
#include <cstdlib>

namespace tarvo {

void AssertionFailed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: tarvo: assertion failed: %s\n", file, line, condition);
  std::abort();
}

}  // namespace tarvo
