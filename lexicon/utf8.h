// UTF-8 checks on byte strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvo {

// The length of the well-formed UTF-8 sequence starting at text[pos], or 0
// when none starts there (a stray continuation byte, an overlong form, a
// surrogate, a value above U+10FFFF or a sequence cut short).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos);

// True when the text is well-formed UTF-8 sequences, one after another.
bool IsValidUtf8(std::string_view text);

// The code point of the well-formed sequence of `length` bytes at text[pos].
std::uint32_t DecodeUtf8(std::string_view text, std::size_t pos, std::size_t length);

// Appends the UTF-8 bytes of a code point (at most U+10FFFF).
void AppendUtf8(std::string& out, std::uint32_t point);

}  // namespace tarvo
