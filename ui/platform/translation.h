// Translation of the texts the window logic shows.
//
// The logic builds its messages, questions, status lines and progress
// captions without a toolkit, so it cannot call Qt's tr(). Each of those
// texts goes through Translate instead, which asks the lookup the toolkit
// installed (the Qt backend installs QCoreApplication::translate, so any
// QTranslator loaded by the program applies); with no lookup installed, as
// in the headless tests, the English source text is used as it stands.
//
// A text with variable parts is written with Qt's placeholders, "Opened
// %1: %2.", and filled in by FillIn, so a translation may put the parts in
// another order. The logic classes call Translate through a static tr()
// of their own, so that lupdate finds the texts with the class as their
// context; free functions name their context (lupdate:
// -tr-function-alias translate+=Translate).
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tarvo::ui {

// Looks up the translation of `source` (UTF-8) in `context`; returns UTF-8.
using TextLookup = std::function<std::string(const char* context, const char* source)>;

// Installs the lookup; call it once at start, before any window opens.
void SetTextLookup(TextLookup lookup);

// The translation of `source`, or `source` itself when there is none.
std::string Translate(const char* context, const char* source);

// `text` with each placeholder %1 to %9 replaced by the argument of that
// number. A % not followed by the number of an argument stays as it is.
std::string FillIn(std::string_view text, std::initializer_list<std::string_view> arguments);

}  // namespace tarvo::ui
