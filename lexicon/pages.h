// Ordinary memory pages: the unit in which the system brings memory in and
// takes it back.
#pragma once

#include <cstdint>

namespace tarvo {

inline constexpr std::uintptr_t kPageBytes = 4096;

// The first page boundary at or after p, and the last at or before it.
inline std::uintptr_t PageAfter(std::uintptr_t p) { return (p + kPageBytes - 1) / kPageBytes * kPageBytes; }
inline std::uintptr_t PageBefore(std::uintptr_t p) { return p / kPageBytes * kPageBytes; }
inline std::uintptr_t PageAfter(const void* p) { return PageAfter(reinterpret_cast<std::uintptr_t>(p)); }
inline std::uintptr_t PageBefore(const void* p) { return PageBefore(reinterpret_cast<std::uintptr_t>(p)); }

}  // namespace tarvo
