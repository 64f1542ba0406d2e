// Turning the engine's byte strings into text a toolkit can show.
//
// The engine's words are bytes. A list that is valid UTF-8 as a whole is
// shown as UTF-8; any other list byte by byte as Latin-1. Either way every
// byte stays visible: a byte that cannot be shown as a character (part of an
// incomplete UTF-8 sequence, which a suffix group can cut off, or a control
// byte) is written as an escape such as \xD0. The result is UTF-8 for the
// toolkit. It is for display only: what the user selects is mapped back to
// the model's rows, never by converting shown text back to bytes.
#pragma once

#include <string>
#include <string_view>

namespace tarvo::ui {

enum class DisplayEncoding { kUtf8, kLatin1 };

std::string DisplayText(std::string_view bytes, DisplayEncoding encoding);

}  // namespace tarvo::ui
