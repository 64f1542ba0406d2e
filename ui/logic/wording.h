// Small pieces of the texts the windows show: counts and file names.
#pragma once

#include <cstdint>
#include <string>

namespace tarvo::ui {

// The program's one name, in its title and on its message boxes.
inline constexpr const char* kProgramName = "Tarvo";

// 1234567 as "1,234,567".
std::string WithThousandsSeparators(std::uint64_t number);
// "1 word", "48,299 words": the count with the noun in its right number.
std::string CountOf(std::uint64_t count, const char* one, const char* many);
// The last part of a path, as bytes: "/usr/share/dict/polish" gives "polish".
std::string FileNameOf(const std::string& path);

}  // namespace tarvo::ui
