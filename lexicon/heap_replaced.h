// Whether a sanitizer replaces the C library's heap: AddressSanitizer and
// ThreadSanitizer do, and check the blocks of their own heap only. GCC and
// Clang say so in different ways.
#pragma once

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define TARVO_HEAP_REPLACED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define TARVO_HEAP_REPLACED 1
#endif
#endif
