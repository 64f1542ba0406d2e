#include "lexicon/errors.h"

#include <cstdint>

namespace tarvo {
namespace {

class EngineErrorCategory final : public std::error_category {
 public:
  const char* name() const noexcept override { return "tarvo"; }
  std::string message(int value) const override {
    switch (static_cast<EngineError>(value)) {
      case EngineError::kTooManyNodes:
        // The word tree's limit: its links are signed 32-bit numbers.
        return "Too many words: the word tree would need more than " + std::to_string(INT32_MAX) + " nodes";
    }
    return "Unknown error " + std::to_string(value);
  }
};

}  // namespace

const std::error_category& EngineCategory() {
  static const EngineErrorCategory category;
  return category;
}

std::error_code make_error_code(EngineError error) { return {static_cast<int>(error), EngineCategory()}; }

std::error_code ErrnoError(int errno_value) {
  if (errno_value == 0) return {};
  return {errno_value, std::generic_category()};
}

std::string FileErrorText(std::string_view failed_action, std::string_view path, std::error_code error) {
  std::string text(failed_action);
  text.append(" '").append(path).append("': ").append(error.message());
  return text;
}

}  // namespace tarvo
