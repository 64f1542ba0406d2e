#include "lexicon/reading_direction.h"

#include <algorithm>

#include "lexicon/assertions.h"
#include "lexicon/utf8.h"

namespace tarvo {

void ReverseCodes(std::string& codes, std::size_t from) {
  std::reverse(codes.begin() + static_cast<std::ptrdiff_t>(from), codes.end());
}

void ReverseSymbols(std::string& text, bool characters) {
  if (!characters) {
    ReverseCodes(text);
    return;
  }
  // Each character's bytes move as one block to the mirrored position.
  std::string reversed(text.size(), '\0');
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t length = Utf8SequenceLength(text, pos);
    TARVO_ASSERT(length > 0);
    if (length == 0) length = 1;  // a stray byte moves alone rather than stall the walk
    std::copy_n(text.begin() + static_cast<std::ptrdiff_t>(pos), length,
                reversed.end() - static_cast<std::ptrdiff_t>(pos + length));
    pos += length;
  }
  text.swap(reversed);
}

void JoinStemAndAffix(std::string& word, std::string_view stem, std::string_view affix,
                      ReadingDirection direction) {
  if (direction == ReadingDirection::kBackwards) word.assign(affix).append(stem);
  else word.assign(stem).append(affix);
}

}  // namespace tarvo
