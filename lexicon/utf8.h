// UTF-8 checks on byte strings.
#pragma once

#include <cstddef>
#include <string_view>

namespace tarvo {

// The length of the well-formed UTF-8 sequence starting at text[pos], or 0
// when none starts there (a stray continuation byte, an overlong form, a
// surrogate, a value above U+10FFFF or a sequence cut short).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos);

bool IsValidUtf8(std::string_view text);

}  // namespace tarvo
