#include "ui/platform/host.h"

#include <utility>

namespace tarvo::ui {

Message Error(std::string text) { return {std::move(text), Message::Buttons::kOk, Message::Icon::kError}; }

Message Warning(std::string text) { return {std::move(text), Message::Buttons::kOk, Message::Icon::kWarning}; }

Message Information(std::string text) {
  return {std::move(text), Message::Buttons::kOk, Message::Icon::kInformation};
}

Message Question(std::string text, Answer default_answer) {
  return {std::move(text), Message::Buttons::kYesNo, Message::Icon::kWarning, default_answer};
}

Message QuestionWithCancel(std::string text) {
  return {std::move(text), Message::Buttons::kYesNoCancel, Message::Icon::kWarning};
}

}  // namespace tarvo::ui
