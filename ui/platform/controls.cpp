#include "ui/platform/controls.h"

namespace tarvo::ui {

bool EditAccepts(EditFilter filter, const std::string& text) {
  bool seen_point = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') continue;
    if (filter == EditFilter::kAny) continue;
    if (c == '.' && filter != EditFilter::kDigits && !seen_point) {
      seen_point = true;
      continue;
    }
    if (c == '-' && filter == EditFilter::kSignedReal && i == 0) continue;
    return false;
  }
  return true;
}

}  // namespace tarvo::ui
