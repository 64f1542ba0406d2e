// TARVO_ASSERT: checks a precondition or an invariant in debug and
// sanitizer builds (where NDEBUG is not defined, or TARVO_ENABLE_ASSERTS
// is), and costs nothing elsewhere. A failed check prints the condition and
// where it stands, then aborts.
#pragma once

namespace tarvo {

[[noreturn]] void AssertionFailed(const char* condition, const char* file, int line);

}  // namespace tarvo

#if !defined(NDEBUG) || defined(TARVO_ENABLE_ASSERTS)
#define TARVO_ASSERT(condition) \
  ((condition) ? static_cast<void>(0) : ::tarvo::AssertionFailed(#condition, __FILE__, __LINE__))
#else
#define TARVO_ASSERT(condition) static_cast<void>(0)
#endif
