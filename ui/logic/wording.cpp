#include "ui/logic/wording.h"

#include <filesystem>

#include "lexicon/errors.h"
#include "ui/platform/translation.h"

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
  return WithThousandsSeparators(count) + " " + Translate("Count", count == 1 ? one : many);
}

std::string FileNameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string ModeName(bool characters, bool prefixes) {
  const std::string symbols = Translate("Mode", characters ? "characters" : "bytes");
  return prefixes ? FillIn(Translate("Mode", "%1, prefixes"), {symbols}) : symbols;
}

std::string FileFailureText(const std::string& failed_action, const std::string& path, std::error_code error,
                            const std::string& outcome) {
  return FileErrorText(failed_action, path, error) + "." + (outcome.empty() ? "" : " " + outcome);
}

}  // namespace tarvo::ui
