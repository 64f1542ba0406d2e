#include "lexicon/utf8.h"

#include <algorithm>
#include <array>

namespace tarvo {

std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) return 1;
  std::size_t length;
  unsigned char low = 0x80;
  unsigned char high = 0xbf;
  if (lead >= 0xc2 && lead <= 0xdf) {
    length = 2;
  } else if (lead >= 0xe0 && lead <= 0xef) {
    length = 3;
    if (lead == 0xe0) low = 0xa0;       // no overlong forms
    if (lead == 0xed) high = 0x9f;      // no surrogates
  } else if (lead >= 0xf0 && lead <= 0xf4) {
    length = 4;
    if (lead == 0xf0) low = 0x90;       // no overlong forms
    if (lead == 0xf4) high = 0x8f;      // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  if (byte(pos + 1) < low || byte(pos + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(pos + i) < 0x80 || byte(pos + i) > 0xbf) return 0;
  }
  return length;
}

namespace {

// IsValidUtf8 runs a finite automaton over the bytes, one step a byte with
// no branch: each state is a shift amount, and the row of a byte holds,
// at each state's shift, the state that byte leads to. So a step is one
// table load, which does not wait for the state, and one shift. Checking
// a word costs about a cycle a byte, where deciding each byte's way would
// cost a mispredicted branch at nearly every non-ASCII character.
enum Utf8State : unsigned {
  kComplete = 0,  // between sequences
  kInvalid = 6,   // stays so
  kNeed1 = 12,    // one continuation byte to go
  kNeed2 = 18,
  kNeed3 = 24,
  kAfterE0 = 30,  // second byte A0-BF: no overlong form
  kAfterED = 36,  // second byte 80-9F: no surrogate
  kAfterF0 = 42,  // second byte 90-BF: no overlong form
  kAfterF4 = 48,  // second byte 80-8F: nothing above U+10FFFF
};

constexpr std::array<std::uint64_t, 256> MakeUtf8Rows() {
  std::array<std::uint64_t, 256> rows{};
  constexpr Utf8State kStates[] = {kComplete, kInvalid, kNeed1, kNeed2, kNeed3, kAfterE0, kAfterED, kAfterF0, kAfterF4};
  for (std::uint64_t& row : rows) {
    for (const Utf8State state : kStates) row |= std::uint64_t{kInvalid} << state;
  }
  const auto go = [&](unsigned from_byte, unsigned to_byte, Utf8State from, Utf8State to) {
    for (unsigned byte = from_byte; byte <= to_byte; ++byte) {
      rows[byte] &= ~(std::uint64_t{63} << from);
      rows[byte] |= std::uint64_t{to} << from;
    }
  };
  go(0x00, 0x7f, kComplete, kComplete);
  go(0xc2, 0xdf, kComplete, kNeed1);
  go(0xe0, 0xe0, kComplete, kAfterE0);
  go(0xe1, 0xec, kComplete, kNeed2);
  go(0xed, 0xed, kComplete, kAfterED);
  go(0xee, 0xef, kComplete, kNeed2);
  go(0xf0, 0xf0, kComplete, kAfterF0);
  go(0xf1, 0xf3, kComplete, kNeed3);
  go(0xf4, 0xf4, kComplete, kAfterF4);
  go(0x80, 0xbf, kNeed1, kComplete);
  go(0x80, 0xbf, kNeed2, kNeed1);
  go(0x80, 0xbf, kNeed3, kNeed2);
  go(0xa0, 0xbf, kAfterE0, kNeed1);
  go(0x80, 0x9f, kAfterED, kNeed1);
  go(0x90, 0xbf, kAfterF0, kNeed2);
  go(0x80, 0x8f, kAfterF4, kNeed2);
  return rows;
}

constexpr std::array<std::uint64_t, 256> kUtf8Rows = MakeUtf8Rows();

std::uint64_t Step(std::uint64_t state, char byte) {
  return kUtf8Rows[static_cast<unsigned char>(byte)] >> (state & 63);
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  // Each step waits for the one before, so a long text is checked as two
  // halves side by side. It splits before a byte that is not a continuation
  // byte: a valid text has a sequence start there, and two valid halves
  // make a valid text. Of four bytes in a row, one starts a sequence unless
  // the text is invalid.
  constexpr std::size_t kSplitFrom = 64;
  std::size_t split = text.size();
  if (text.size() >= kSplitFrom) {
    split = text.size() / 2;
    const std::size_t limit = split + 4;
    while (split < limit && (static_cast<unsigned char>(text[split]) & 0xc0) == 0x80) ++split;
    if (split == limit) return false;
  }
  const std::string_view first = text.substr(0, split);
  const std::string_view second = text.substr(split);
  std::uint64_t first_state = kComplete;
  std::uint64_t second_state = kComplete;
  const std::size_t both = std::min(first.size(), second.size());
  for (std::size_t i = 0; i < both; ++i) {
    first_state = Step(first_state, first[i]);
    second_state = Step(second_state, second[i]);
  }
  for (std::size_t i = both; i < first.size(); ++i) first_state = Step(first_state, first[i]);
  for (std::size_t i = both; i < second.size(); ++i) second_state = Step(second_state, second[i]);
  return (first_state & 63) == kComplete && (second_state & 63) == kComplete;
}

std::uint32_t DecodeUtf8(std::string_view text, std::size_t pos, std::size_t length) {
  static constexpr unsigned char kLeadMask[] = {0, 0x7f, 0x1f, 0x0f, 0x07};
  std::uint32_t value = static_cast<unsigned char>(text[pos]) & kLeadMask[length];
  for (std::size_t i = 1; i < length; ++i) value = (value << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3f);
  return value;
}

void AppendUtf8(std::string& out, std::uint32_t point) {
  if (point < 0x80) {
    out += static_cast<char>(point);
    return;
  }
  const int continuation = point < 0x800 ? 1 : (point < 0x10000 ? 2 : 3);
  static constexpr unsigned char kLead[] = {0, 0xc0, 0xe0, 0xf0};
  out += static_cast<char>(kLead[continuation] | (point >> (6 * continuation)));
  for (int i = continuation - 1; i >= 0; --i) out += static_cast<char>(0x80 | ((point >> (6 * i)) & 0x3f));
}

}  // namespace tarvo
