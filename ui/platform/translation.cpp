#include "ui/platform/translation.h"

#include <utility>

namespace tarvo::ui {
namespace {

TextLookup& InstalledLookup() {
  static TextLookup lookup;
  return lookup;
}

}  // namespace

void SetTextLookup(TextLookup lookup) { InstalledLookup() = std::move(lookup); }

std::string Translate(const char* context, const char* source) {
  const TextLookup& lookup = InstalledLookup();
  return lookup ? lookup(context, source) : std::string(source);
}

std::string FillIn(std::string_view text, std::initializer_list<std::string_view> arguments) {
  std::string filled;
  filled.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    const auto number = static_cast<std::size_t>(next - '0');
    if (text[i] == '%' && next >= '1' && next <= '9' && number <= arguments.size()) {
      filled += arguments.begin()[number - 1];
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

}  // namespace tarvo::ui
