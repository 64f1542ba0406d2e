// Models of the simple controls: edit boxes, texts and check boxes.
//
// The window logic reads and writes these; views show them and copy the
// user's typing back into edit models.
#pragma once

#include <string>

namespace tarvo::ui {

// What an edit box lets the user type.
enum class EditFilter {
  kAny,
  kDigits,         // 0-9 only
  kUnsignedReal,   // digits and one decimal point
  kSignedReal,     // an optional leading minus, digits and one decimal point
};

struct EditModel {
  std::string text;
  EditFilter filter = EditFilter::kAny;
  bool enabled = true;
};

struct TextModel {
  std::string text;
};

struct CheckBoxModel {
  bool checked = false;
  bool enabled = true;
};

// True when the text is one the filter lets the user type.
bool EditAccepts(EditFilter filter, const std::string& text);

}  // namespace tarvo::ui
