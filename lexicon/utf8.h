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

// One character of a UTF-8 text: its code point and how many bytes it
// takes; a length of 0 when no well-formed sequence starts there.
struct Utf8Character {
  std::uint32_t point;
  std::size_t length;
};

// The character at text[pos] (pos < text.size()). Inline for the one- and
// two-byte characters, all that most alphabets need: the encoders call it
// for every character of a list. Longer ones go through the functions above.
inline Utf8Character NextUtf8Character(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return {lead, 1};
  if (lead >= 0xc2 && lead <= 0xdf && pos + 1 < text.size()) {
    const auto next = static_cast<unsigned char>(text[pos + 1]);
    if ((next & 0xc0) == 0x80) return {static_cast<std::uint32_t>(lead & 0x1f) << 6 | (next & 0x3f), 2};
  }
  const std::size_t length = Utf8SequenceLength(text, pos);
  return {length == 0 ? 0 : DecodeUtf8(text, pos, length), length};
}

// Appends the UTF-8 bytes of a code point (at most U+10FFFF).
void AppendUtf8(std::string& out, std::uint32_t point);

}  // namespace tarvo
