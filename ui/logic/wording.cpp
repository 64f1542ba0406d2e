#include "ui/logic/wording.h"

#include <cstring>
#include <filesystem>

namespace tarvo::ui {

std::string WithThousandsSeparators(std::uint64_t number) {
  const std::string digits = std::to_string(number);
  std::string text;
  text.reserve(digits.size() + digits.size() / 3);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

std::string CountOf(std::uint64_t count, const char* one, const char* many) {
  return WithThousandsSeparators(count) + " " + (count == 1 ? one : many);
}

std::string FileNameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string FileErrorText(const std::string& action, const std::string& path, int error, const std::string& outcome) {
  return "Cannot " + action + " '" + path + "': " + std::strerror(error) + "." + (outcome.empty() ? "" : " " + outcome);
}

}  // namespace tarvo::ui
