// Errors of the engine: every failure is a std::error_code.
//
// What the system refuses (a missing file, a full disk, a folder where a file
// should be) keeps its errno in std::generic_category(); the engine's own
// conditions are the codes of EngineError in the engine's category. Results
// are [[nodiscard]]: writers return the error_code itself, loaders a struct
// with an `error` member beside what they read.
//
//   if (const std::error_code error = tree.SaveAll(path)) {
//     std::fprintf(stderr, "%s\n", FileErrorText("cannot write", path, error).c_str());
//   }
#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace tarvo {

enum class EngineError {
  // A word list whose tree would need more nodes than its 32-bit numbers
  // can address.
  kTooManyNodes = 1,
};

const std::error_category& EngineCategory();
std::error_code make_error_code(EngineError error);

// The error_code of an errno value; the empty one for 0.
std::error_code ErrnoError(int errno_value);

// The text of a failed file operation: `failed_action` (such as "cannot
// write"), the quoted path and the reason, as in
//   cannot write 'out.txt': No space left on device
std::string FileErrorText(std::string_view failed_action, std::string_view path, std::error_code error);

}  // namespace tarvo

template <>
struct std::is_error_code_enum<tarvo::EngineError> : std::true_type {};
