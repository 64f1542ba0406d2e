// Small pieces of the texts the windows show: counts and file names.
#pragma once

#include <cstdint>
#include <string>
#include <system_error>

namespace tarvo::ui {

// The program's one name, in its title and on its message boxes.
inline constexpr const char* kProgramName = "Tarvo";

// 1234567 as "1,234,567".
std::string WithThousandsSeparators(std::uint64_t number);
// "1 word", "48,299 words": the count with the noun in its right number,
// the noun translated in the context "Count".
std::string CountOf(std::uint64_t count, const char* one, const char* many);
// The last part of a path, as bytes: "/usr/share/dict/polish" gives "polish".
std::string FileNameOf(const std::string& path);
// How a list is read: "bytes" or "characters", with ", prefixes" when its
// words are read backwards; translated in the context "Mode".
std::string ModeName(bool characters, bool prefixes);
// "Cannot save 'path': No space left on device. OUTCOME": what failed
// (translated by the caller, "Cannot save"), on which file, the reason and
// what that left behind.
std::string FileFailureText(const std::string& failed_action, const std::string& path, std::error_code error,
                            const std::string& outcome);

}  // namespace tarvo::ui
